// A REGEDIT4 file from another machine or a hand edit: the reader refuses it with a RegistryError
// or gives a tree whose keys are named by their paths, that the writer writes and the reader reads
// back to the same tree, and whose written text is written again unchanged.
#include "platform/reg_text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

using namespace zelvo::platform;

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "reg_text: %s\n", what);
        std::abort();
    }
}

void readAndWrite(std::string_view text, RegRoot root)
{
    regtree::Tree tree;
    try {
        tree = regtext::parse(text, root, "fuzz.reg");
    } catch (const RegistryError&) {
        return;
    }
    for (const auto& [id, key] : tree.keys())
        check(regtree::parseKeyPath(key.path).id == id, "a key's path does not name it");

    const std::string written = regtext::serialize(tree, root);
    regtree::Tree again;
    try {
        again = regtext::parse(written, root, "written.reg");
    } catch (const RegistryError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        check(false, "the written text cannot be read back");
    }
    check(again == tree, "the written text reads back to another tree");
    check(regtext::serialize(again, root) == written, "writing again changes the text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    readAndWrite(text, RegRoot::CurrentUser);
    readAndWrite(text, RegRoot::LocalMachine);
    return 0;
}
