// Failures are raised as errors that carry the message text shown to the user.
#pragma once

#include <QString>

#include <exception>
#include <string>

class TError : public std::exception {
public:
    explicit TError(QString message)
        : Text(std::move(message))
        , Utf8(Text.toStdString())
    {}

    const QString& Message() const { return Text; }
    const char* what() const noexcept override { return Utf8.c_str(); }

private:
    QString Text;
    std::string Utf8;
};

// A text that does not convert to the number or flag it should hold.
class TConversionError : public TError {
public:
    using TError::TError;
};

// A file that cannot be opened, read or written.
class TFileError : public TError {
public:
    using TError::TError;

    // The one text for a file that cannot be opened, with the system's reason.
    static TFileError CannotOpen(const QString& fileName, const QString& reason)
    {
        return TFileError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason));
    }
    // The one text for a file that was opened but cannot be read.
    static TFileError CannotRead(const QString& fileName, const QString& reason)
    {
        return TFileError(QStringLiteral("Cannot read file \"%1\". %2").arg(fileName, reason));
    }
    // The one text for a file that cannot be created or written, with the
    // system's reason.
    static TFileError CannotCreate(const QString& fileName, const QString& reason)
    {
        return TFileError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason));
    }
    // The one text for a file whose size changed while it was being read. It
    // is shown as a warning, not raised: what was read is still counted.
    static QString ChangedWhileRead(const QString& fileName)
    {
        return QStringLiteral("The file \"%1\" changed while it was read. Its results may be "
                              "incomplete.")
            .arg(fileName);
    }
};
