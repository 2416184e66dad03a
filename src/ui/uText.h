// The text window: one corpus file shown read-only. It is also the window
// whose file a search limited to the active window searches.
#pragma once

#include "ChildWindow.h"

#include <QSize>

class IMainWindow;
class QPlainTextEdit;
class TXmlNode;

class TfrmText : public TChildWindow {
    Q_OBJECT

public:
    // The client area of a new window.
    static constexpr QSize ClientSize{507, 350};

    explicit TfrmText(IMainWindow& main, QWidget* parent = nullptr);

    // Sets FileName and shows the file's text. Throws TFileError when the file
    // cannot be opened; the window then keeps the caption "Corpus".
    void LoadFromFile(const QString& fileName);
    // Sets FileName and shows text, read from that file beforehand.
    void ShowFile(const QString& fileName, const QString& text);

    // Writes the window as a workspace keeps it: its file and its place. The
    // workspace reads the element back with ReadTextForm.
    void SaveSettingsToXML(TXmlNode& node) const;

    const QString& FileName() const { return Path; }
    QPlainTextEdit* RichEdit;

    TKind Kind() const override { return TKind::Text; }
    QString WindowListCaption() const override;
    void FormActivate() override;
    void FormClose() override;

private:
    void ShowContextMenu(const QPoint& at);

    IMainWindow& Main;
    QString Path;
};
