// The one-character field: its validator, its leave check and its width.
#include "OneCharEdit.h"

#include "MessageSink.h"

#include <QFocusEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

qsizetype Characters(const QString& text)
{
    return text.toUcs4().size();
}

// Judges every change to the field's text. QLineEdit reverts a change judged
// Invalid only when the text before it was not Invalid itself, so a loaded
// longer value must count as Intermediate, not Invalid.
class TOneCharValidator : public QValidator {
public:
    TOneCharValidator(const QString& loaded, QObject* parent)
        : QValidator(parent)
        , Loaded(loaded)
    {}

    State validate(QString& input, int&) const override
    {
        if (Characters(input) <= 1)
            return Acceptable;
        return input == Loaded ? Intermediate : Invalid;
    }

private:
    const QString& Loaded;
};

// Focus changes by which the user leaves the field. The others (the window
// losing activation to a message box, the dialog closing, the program moving
// the focus) are not the user's doing.
bool UserLeaves(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
}

} // namespace

TOneCharEdit::TOneCharEdit(IMessageSink& messages, QWidget* parent)
    : QLineEdit(parent)
    , Messages(messages)
{
    setValidator(new TOneCharValidator(Loaded, this));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TOneCharEdit::Load(const QString& value)
{
    Loaded = value;
    setText(value);
    updateGeometry();
}

bool TOneCharEdit::HasValidValue() const
{
    return Characters(text()) == 1 || text() == Loaded;
}

bool TOneCharEdit::CheckValue()
{
    if (HasValidValue())
        return true;
    Messages.ShowError(u"Invalid input value.  Use escape key to abandon changes"_s);
    setFocus();
    return false;
}

void TOneCharEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (UserLeaves(event->reason()))
        CheckValue();
}

QSize TOneCharEdit::sizeHint() const
{
    // QLineEdit keeps 2 pixels on each side of the text and 1 for the cursor.
    constexpr int TextPadding = 5;
    const QFontMetrics metrics = fontMetrics();
    const QMargins margins = textMargins();
    const int textWidth =
        std::max(metrics.horizontalAdvance(u"WW"_s), metrics.horizontalAdvance(Loaded));
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int frameWidth =
        style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(0, 0), this).width();
    return QSize(frameWidth + textWidth + TextPadding + margins.left() + margins.right(),
                 QLineEdit::sizeHint().height());
}
