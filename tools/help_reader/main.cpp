// zelvo-help-reader FILE: writes every file inside the compiled help file FILE to standard output,
// one record a file (dialogs/help_pages.h). The help window runs it in a process of its own,
// because chmlib is not safe on damaged files: a crash here ends this process only.
//
// Exit status: 0 when every file was read, 10 when FILE is missing or not a help file (or chmlib
// is missing), 11 when a file inside cannot be read or the whole is beyond reason, 64 for a wrong
// command line.
#include <QFile>

#include <cstdio>

#include "dialogs/help_file.h"
#include "dialogs/help_pages.h"

namespace {

constexpr int kCannotRead = 11;

// The help is some hundred kilobytes; a damaged directory must not make this write without bound.
constexpr qint64 kMaxTotal = 64 * 1024 * 1024;

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: zelvo-help-reader FILE.chm\n", stderr);
        return 64;
    }
    const zelvo::dialogs::HelpFile help(QFile::decodeName(argv[1]));
    if (!help.isOpen())
        return zelvo::dialogs::kHelpReaderCannotOpen;
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return kCannotRead;
    qint64 total = 0;
    for (const QString& path : help.files()) {
        const auto data = help.read(path);
        if (!data || (total += data->size()) > kMaxTotal)
            return kCannotRead;
        const QByteArray record = zelvo::dialogs::encodeHelpRecord(path, *data);
        if (out.write(record) != record.size())
            return kCannotRead;
    }
    return out.flush() ? 0 : kCannotRead;
}
