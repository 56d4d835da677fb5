#include "shared_ui/kit/TextFileWriter.h"

#include "signal/CReplacingFile.h"

#include <QFile>

namespace kxres {

QString WriteFailureText(const QString &path)
{
    return QStringLiteral("Failure to write file: ") + path;
}

CTextFileWriter::CTextFileWriter(const QString &path)
    : m_path(path)
{}

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
    Cancel();
    m_failed = false;
    m_error.clear();
    if (m_path.isEmpty()) {
        Fail();
        return false;
    }
    m_file = std::make_unique<kx::CReplacingFile>(QFile::encodeName(m_path).toStdString());
    if (!m_file->Open()) {
        m_file.reset();
        Fail();
        return false;
    }
    return true;
}

void CTextFileWriter::Write(std::string_view text)
{
    if (m_file && !m_failed)
        m_file->Write(text);
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
    const bool ok = !m_failed && m_file->Commit();
    m_file.reset();
    if (!ok)
        Fail();
    return ok;
}

void CTextFileWriter::Cancel()
{
    m_file.reset();
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
