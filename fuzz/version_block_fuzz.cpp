// Program files from anywhere: the version reader gives a version exactly when it found a block,
// every value it answers lies inside that block, and the block read as a file of its own gives
// the same block and answers again.
#include "dialogs/version_block.h"
#include "dialogs/version_info.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace zelvo::dialogs;

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "version_block: %s\n", what);
        std::abort();
    }
}

bool sameAnswers(const TVersionInfoResource& a, const TVersionInfoResource& b)
{
    return a.versionData() == b.versionData() && a.translations() == b.translations() &&
           a.fileVersion().text() == b.fileVersion().text() &&
           a.productVersion().text() == b.productVersion().text() && a.fileFlagsText() == b.fileFlagsText();
}

void checkQuery(const TVersionInfoResource& info, const std::string& path)
{
    const auto value = info.queryValue(path);
    if (!value)
        return;
    const auto* begin = info.versionData().data();
    check(value->data() >= begin && value->data() + value->size() <= begin + info.dataSize(),
          "a value outside the block");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TVersionInfoResource info;
    info.readFromBytes({data, size});
    const bool found = info.dataSize() > 0;
    check(found == info.fixedInfo().present() && found == info.fileVersion().valid() &&
              found == info.productVersion().valid(),
          "a version without a block or a block without a version");
    if (!found) {
        check(info.translations().empty() && info.fileVersion().text().empty(), "answers without a block");
        return 0;
    }
    check(info.dataSize() <= size, "a block longer than the file");
    const auto fixed = info.queryValue("\\");
    check(fixed && fixed->size() == kFixedInfoSize, "no fixed file information");

    checkQuery(info, "\\VarFileInfo\\Translation");
    checkQuery(info, "\\StringFileInfo");
    for (const std::string& t : info.translations()) {
        check(t.size() == 8, "a translation that is not 8 hex digits");
        checkQuery(info, "\\StringFileInfo\\" + t + "\\ProductName");
    }

    TVersionInfoResource again;
    again.readFromBytes(info.versionData());
    check(sameAnswers(info, again), "the block alone reads differently");
    return 0;
}
