// zelvo-help-reader FILE: writes every file inside the compiled help file FILE to standard output,
// one record a file (dialogs/help_pages.h). The help window runs it in a process of its own,
// because chmlib is not safe on damaged files: a crash here ends this process only.
//
// Exit status: 0 when every file was read, 10 when FILE is missing or not a help file (or chmlib
// is missing), 11 when its directory is damaged, a file inside cannot be read or the whole is
// beyond reason, 64 for a wrong command line. Whatever else a damaged file makes chmlib do, the
// process cannot take more than kAddressSpace of memory: an allocation beyond ends it.
#include <QFile>

#include <cstdio>
#include <sys/resource.h>

#include "dialogs/help_file.h"
#include "dialogs/help_pages.h"

namespace {

constexpr int kCannotRead = 11;

// The help is some hundred kilobytes, the output at most kHelpReaderMaxOutput; the program's own
// libraries take some tens of megabytes of address space.
constexpr rlim_t kAddressSpace = rlim_t(512) * 1024 * 1024;

// The sanitizers reserve terabytes of address space for their shadow memory and would not start.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kLimitAddressSpace = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
constexpr bool kLimitAddressSpace = false;
#else
constexpr bool kLimitAddressSpace = true;
#endif
#else
constexpr bool kLimitAddressSpace = true;
#endif

void limitAddressSpace()
{
    rlimit limit{};
    if (!kLimitAddressSpace || ::getrlimit(RLIMIT_AS, &limit) != 0)
        return;
    limit.rlim_cur = std::min(limit.rlim_cur, kAddressSpace);
    if (::setrlimit(RLIMIT_AS, &limit) != 0)
        std::perror("zelvo-help-reader: setrlimit");
}

int fail(const char* file, const char* why)
{
    std::fprintf(stderr, "zelvo-help-reader: %s: %s\n", file, why);
    return kCannotRead;
}

}  // namespace

int main(int argc, char** argv)
{
    limitAddressSpace();
    if (argc != 2) {
        std::fputs("usage: zelvo-help-reader FILE.chm\n", stderr);
        return 64;
    }
    const zelvo::dialogs::HelpFile help(QFile::decodeName(argv[1]));
    if (!help.isOpen())
        return zelvo::dialogs::kHelpReaderCannotOpen;
    const auto files = help.files();
    if (!files)
        return fail(argv[1], "the directory is damaged");
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return kCannotRead;
    qint64 total = 0;
    for (const QString& path : *files) {
        const auto data = help.read(path);
        if (!data)
            return fail(argv[1], "a file inside cannot be read");
        const QByteArray record = zelvo::dialogs::encodeHelpRecord(path, *data);
        if ((total += record.size()) > zelvo::dialogs::kHelpReaderMaxOutput)
            return fail(argv[1], "the files inside are beyond reason");
        if (out.write(record) != record.size())
            return kCannotRead;
    }
    return out.flush() ? 0 : kCannotRead;
}
