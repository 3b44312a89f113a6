#include <cstdio>

int main()
{
    std::fputs("gebruik: querimo-sql [opties] DATABASE OPDRACHT\n", stderr);
    return 2;
}
