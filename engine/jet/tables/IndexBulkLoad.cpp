#include "jet/tables/IndexBulkLoad.h"

#include <algorithm>

#include "core/Error.h"

namespace querimo::jet {

namespace {

// Entries [begin, end) of one level that go on one page.
struct Run {
    std::size_t begin = 0, end = 0;
};

// The page a run makes: leaf entries as they are; on an intermediate page, of two or more children the last
// is named only in the tail field.
IndexPage pageOf(const std::vector<IndexEntry>& entries, Run run, bool leaf, std::uint32_t definitionPage)
{
    IndexPage page;
    page.type = leaf ? leafIndexPageType : intermediateIndexPageType;
    page.definitionPage = definitionPage;
    std::size_t end = run.end;
    if (!leaf && run.end - run.begin > 1) page.tailPage = entries[--end].childPage;
    page.entries.assign(entries.begin() + static_cast<std::ptrdiff_t>(run.begin),
                        entries.begin() + static_cast<std::ptrdiff_t>(end));
    return page;
}

class Level {
public:
    Level(const std::vector<IndexEntry>& entries, bool leaf, Version version, std::uint32_t definitionPage)
        : entries_(entries), leaf_(leaf), version_(version), definitionPage_(definitionPage)
    {}

    // Cuts the level into pages, each as full as it goes. More entries never take less room (the shared
    // prefix only shrinks), so the most that fit are found by doubling and then halving.
    std::vector<Run> runs() const
    {
        std::vector<Run> result;
        for (std::size_t begin = 0; begin < entries_.size();) {
            const std::size_t left = entries_.size() - begin;
            if (!fits(begin, 1)) throw DbError(errc::fail, "Een indexsleutel is te lang voor een indexpagina");
            std::size_t good = 1, bad = 0;
            while (bad == 0 && good < left) {
                const std::size_t next = std::min(good * 2, left);
                if (fits(begin, next))
                    good = next;
                else
                    bad = next;
            }
            while (bad > good + 1) {
                const std::size_t middle = good + (bad - good) / 2;
                (fits(begin, middle) ? good : bad) = middle;
            }
            result.push_back({begin, begin + good});
            begin += good;
        }
        return result;
    }

    IndexPage page(Run run) const { return pageOf(entries_, run, leaf_, definitionPage_); }

private:
    bool fits(std::size_t begin, std::size_t count) const
    {
        try {
            buildIndexPage(page({begin, begin + count}), version_);
            return true;
        } catch (const DbError&) {
            return false;
        }
    }

    const std::vector<IndexEntry>& entries_;
    bool leaf_;
    Version version_;
    std::uint32_t definitionPage_;
};

void writePage(PageFile& file, Version version, std::uint32_t number, const IndexPage& page)
{
    const std::vector<std::uint8_t> bytes = buildIndexPage(page, version);
    PageBytes& target = file.change(number);
    if (target.size() != bytes.size())
        throw DbError(errc::fail, "Een indexpagina heeft niet de grootte van de databasepagina's");
    std::copy(bytes.begin(), bytes.end(), target.begin());
}

}  // namespace

void bulkLoadIndex(PageFile& file, Version version, std::uint32_t root, std::uint32_t definitionPage,
                   const std::vector<IndexEntry>& entries, const IndexPageSource& pages,
                   const std::function<void()>& beforePage)
{
    if (entries.empty()) {
        IndexTree::writeEmptyRoot(file, version, root, definitionPage);
        return;
    }
    std::vector<IndexEntry> above;
    const std::vector<IndexEntry>* current = &entries;
    bool leaf = true;
    std::vector<Run> runs = Level(*current, leaf, version, definitionPage).runs();
    while (runs.size() > 1) {
        std::vector<std::uint32_t> numbers;
        std::vector<IndexEntry> parents;
        for (const Run& run : runs) {
            numbers.push_back(pages.allocate());
            // A parent's entry repeats its child's last leaf entry, which ends the run on every level.
            parents.push_back((*current)[run.end - 1]);
            parents.back().childPage = numbers.back();
        }
        const std::vector<Run> parentRuns = Level(parents, false, version, definitionPage).runs();
        // Leaves make one chain; intermediate pages link only to siblings under the same parent.
        std::vector<std::size_t> parentOf(runs.size());
        for (std::size_t p = 0; p < parentRuns.size(); ++p)
            for (std::size_t child = parentRuns[p].begin; child < parentRuns[p].end; ++child) parentOf[child] = p;
        const auto linked = [&](std::size_t a, std::size_t b) { return leaf || parentOf[a] == parentOf[b]; };
        const Level level(*current, leaf, version, definitionPage);
        for (std::size_t i = 0; i < runs.size(); ++i) {
            beforePage();
            IndexPage page = level.page(runs[i]);
            page.previousPage = i > 0 && linked(i - 1, i) ? numbers[i - 1] : 0;
            page.nextPage = i + 1 < runs.size() && linked(i, i + 1) ? numbers[i + 1] : 0;
            writePage(file, version, numbers[i], page);
        }
        above = std::move(parents);
        current = &above;
        leaf = false;
        runs = parentRuns;
    }
    writePage(file, version, root, Level(*current, leaf, version, definitionPage).page(runs.front()));
}

}  // namespace querimo::jet
