// The one-character field of the tag settings dialogs (tag marks and
// delimiters). It refuses every edit that would leave more than one character,
// whether typed, pasted or dropped; a character outside the Basic Multilingual
// Plane is one character, though it takes two UTF-16 code units. Leaving the
// field with a value that is not valid is an error that keeps the focus there.
//
// The settings file may hold a longer value (such as "/>"). Such a value is
// shown whole and stays as it is until the user changes it; from then on the
// one-character rule holds.
#pragma once

#include <QLineEdit>

class IMessageSink;

class TOneCharEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TOneCharEdit(IMessageSink& messages, QWidget* parent = nullptr);

    // Shows value, of any length, as the field's stored value. Use this
    // instead of setText: only a loaded value may be longer than one character.
    void Load(const QString& value);
    // True when the field holds exactly one character, or the value as loaded.
    bool HasValidValue() const;
    // The leave check: when the value is not valid, reports the error, puts the
    // focus back into the field and returns false.
    bool CheckValue();

    // Wide enough for a few characters, or for the whole loaded value.
    QSize sizeHint() const override;

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    IMessageSink& Messages;
    QString Loaded;
};
