#include "functions_eval.h"

class AggregateFunctions : public AccessFunctions {
protected:
    void SetUp() override
    {
        AccessFunctions::SetUp();
        exec("CREATE TABLE t(id INTEGER PRIMARY KEY, grp TEXT, v)");
        exec("INSERT INTO t(grp, v) VALUES ('a', NULL), ('a', 2), ('a', 4), ('a', 4), ('a', 4), ('a', 5), ('a', 5), "
             "('a', 7),"
             " ('a', 9), ('b', 'x'), ('c', 3), ('d', NULL)");
    }
};

TEST_F(AggregateFunctions, FirstAndLastKeepTheRowsValueNullIncluded)
{
    EXPECT_EQ(evalQuery("SELECT acc_first(v) FROM (SELECT v FROM t WHERE grp = 'a' ORDER BY id)"), "Null");
    EXPECT_EQ(evalQuery("SELECT acc_last(v) FROM (SELECT v FROM t WHERE grp = 'a' ORDER BY id)"), "9");
    EXPECT_EQ(evalQuery("SELECT acc_first(v) FROM (SELECT v FROM t WHERE grp = 'b' ORDER BY id)"), "x");
    EXPECT_EQ(evalQuery("SELECT acc_first(v) FROM t WHERE 0"), "Null");
    EXPECT_EQ(evalQuery("SELECT group_concat(f) FROM (SELECT acc_last(v) AS f FROM (SELECT * FROM t ORDER BY id) "
                        "GROUP BY grp ORDER BY grp)"),
              "9,x,3");
}

TEST_F(AggregateFunctions, SpreadLeavesOutNullAndNeedsEnoughValues)
{
    // 2, 4, 4, 4, 5, 5, 7, 9: mean 5, squared deviations 32.
    EXPECT_EQ(evalQuery("SELECT acc_varp(v) FROM t WHERE grp = 'a'"), "4");
    EXPECT_EQ(evalQuery("SELECT acc_stdevp(v) FROM t WHERE grp = 'a'"), "2");
    EXPECT_EQ(evalQuery("SELECT acc_var(v) FROM t WHERE grp = 'a'"), "4.57142857142857");
    EXPECT_EQ(evalQuery("SELECT acc_stdev(v) FROM t WHERE grp = 'a'"), "2.1380899352994");
    EXPECT_EQ(evalQuery("SELECT acc_stdev(v) FROM t WHERE grp = 'c'"), "Null");  // one value
    EXPECT_EQ(evalQuery("SELECT acc_stdevp(v) FROM t WHERE grp = 'c'"), "0");
    EXPECT_EQ(evalQuery("SELECT acc_var(v) FROM t WHERE grp = 'd'"), "Null");
    EXPECT_EQ(evalQuery("SELECT acc_stdev(v) FROM t WHERE grp = 'b'"),
              "Fout: Typen komen niet overeen in StDev (argument 1)");
    EXPECT_EQ(evalQuery("SELECT acc_var(v) FROM (SELECT '1.5' AS v UNION ALL SELECT '2.5')"), "0.5");
}
