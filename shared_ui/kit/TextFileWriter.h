#pragma once

// The one checked writer of text outputs (ASCII exports, hit lists, HTML): the text
// goes to a temporary file beside the target, every write and the final rename are
// checked, and a failure leaves any existing file as it was. Errors read
// "Failure to write file: " + path.

#include <QByteArray>
#include <QString>

#include <memory>
#include <string_view>

namespace kx {
class CReplacingFile;
}

namespace kxres {

class CTextFileWriter {
public:
    explicit CTextFileWriter(const QString &path);
    ~CTextFileWriter();
    CTextFileWriter(const CTextFileWriter &) = delete;
    CTextFileWriter &operator=(const CTextFileWriter &) = delete;

    // False (and Error() set) when the temporary file cannot be made.
    bool Open();
    // Appends; a failed write is remembered and reported by Commit().
    void Write(std::string_view text);
    void Write(const QByteArray &text);
    void Write(const QString &text);
    // Writes out and renames over the target. False with Error() set on any failure.
    bool Commit();
    // Drops what was written; the target stays as it was.
    void Cancel();

    QString Error() const { return m_error; }
    QString Path() const { return m_path; }

private:
    void Fail();

    QString m_path;
    QString m_error;
    std::unique_ptr<kx::CReplacingFile> m_file;
    bool m_failed = false;
};

// Writes text to path in one go. False with *error set to the failure text.
bool WriteTextFile(const QString &path, std::string_view text, QString *error = nullptr);

// "Failure to write file: " + path.
QString WriteFailureText(const QString &path);

} // namespace kxres
