// Reading the compiled help file (Zelvo.chm) through chmlib. chmlib is loaded at run time, so the
// program starts without it: help is then simply not available.
//
// chmlib is not safe on damaged files: only the reader program zelvo-help-reader opens a help
// file with it; the program itself reads the pages through that (help_pages.h).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct chmFile;

namespace zelvo::dialogs {

// chmlib, loaded with dlopen and released when this is destroyed.
class ChmLibrary {
public:
    explicit ChmLibrary(const char* soname = "libchm.so.1");
    ~ChmLibrary();
    ChmLibrary(const ChmLibrary&) = delete;
    ChmLibrary& operator=(const ChmLibrary&) = delete;

    // The library and every entry point used were found.
    bool available() const;
    // The program's one instance, loaded by the first call and kept until exit.
    static const ChmLibrary& standard();

private:
    friend class HelpFile;
    struct Api;
    void* handle_ = nullptr;
    std::unique_ptr<Api> api_;
};

// One open help file. Paths inside it start with "/" ("/index.html"); one without is taken from
// the root.
class HelpFile {
public:
    explicit HelpFile(const QString& fileName, const ChmLibrary& library = ChmLibrary::standard());
    ~HelpFile();
    HelpFile(const HelpFile&) = delete;
    HelpFile& operator=(const HelpFile&) = delete;

    // False when chmlib is not available or the file is missing or not a help file.
    bool isOpen() const { return file_ != nullptr; }
    // The page to show first, as a path; empty when the file names none.
    QString defaultTopic() const;
    // The content of the file at `path`; nullopt when there is no such file.
    std::optional<QByteArray> read(const QString& path) const;
    // The paths of the files in it, the help system's own ("/#SYSTEM") among them; nullopt when
    // its directory is damaged: a chain of listing chunks that runs in a circle or out of the
    // directory, or an entry cut short or named twice.
    std::optional<QStringList> files() const;

private:
    const ChmLibrary& library_;
    QString fileName_;
    ::chmFile* file_ = nullptr;
};

// The default topic named in a help file's "/#SYSTEM" file, as a path; empty when it names none.
QString defaultTopicOf(const QByteArray& system);

}  // namespace zelvo::dialogs
