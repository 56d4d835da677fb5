#include "shared_ui/services/TextFileWriter.h"

#include <QFileInfo>
#include <QFile>
#include <QSaveFile>

#include <filesystem>

namespace kxres {

QString WriteFailureText(const QString &path)
{
    return QStringLiteral("Failure to write file: ") + path;
}

CTextFileWriter::CTextFileWriter(const QString &path)
    : m_path(path)
{
}

CTextFileWriter::~CTextFileWriter()
{
    Cancel();
}

void CTextFileWriter::Fail()
{
    m_failed = true;
    m_error = WriteFailureText(m_path);
}

bool CTextFileWriter::Open()
{
    m_failed = false;
    m_error.clear();
    const QFileInfo info(m_path);
    // Only regular files are written: a folder, a device or a write-protected file
    // (by its mode bits, so also when running as root) is never replaced.
    std::error_code ec;
    const auto status = std::filesystem::status(QFile::encodeName(m_path).toStdString(), ec);
    const bool exists = !ec && std::filesystem::exists(status);
    if (m_path.isEmpty() ||
        (exists && (!std::filesystem::is_regular_file(status) || !(info.permissions() & QFileDevice::WriteOwner)))) {
        Fail();
        return false;
    }
    m_file = std::make_unique<QSaveFile>(m_path);
    if (!m_file->open(QIODevice::WriteOnly)) {
        m_file.reset();
        Fail();
        return false;
    }
    return true;
}

void CTextFileWriter::Write(std::string_view text)
{
    if (!m_file || m_failed || text.empty())
        return;
    if (m_file->write(text.data(), qint64(text.size())) != qint64(text.size()))
        Fail();
}

void CTextFileWriter::Write(const QByteArray &text)
{
    Write(std::string_view(text.constData(), std::size_t(text.size())));
}

void CTextFileWriter::Write(const QString &text)
{
    Write(text.toUtf8());
}

bool CTextFileWriter::Commit()
{
    if (!m_file) {
        if (!m_failed)
            Fail();
        return false;
    }
    if (m_failed) {
        Cancel();
        return false;
    }
    const bool ok = m_file->commit();
    m_file.reset();
    if (!ok)
        Fail();
    return ok;
}

void CTextFileWriter::Cancel()
{
    if (m_file) {
        m_file->cancelWriting();
        m_file->commit();
        m_file.reset();
    }
}

bool WriteTextFile(const QString &path, std::string_view text, QString *error)
{
    CTextFileWriter writer(path);
    if (writer.Open()) {
        writer.Write(text);
        if (writer.Commit())
            return true;
    }
    if (error)
        *error = writer.Error();
    return false;
}

} // namespace kxres
