// A main window for tests of the child windows: a frame with a client area
// that holds them, a status text, collected messages, a scripted user and a
// printer that prints into PDF files.
#pragma once

#include "../CollectedMessages.h"
#include "../TestSupport.h"
#include "ChildWindow.h"
#include "MainWindowServices.h"
#include "ScriptedUser.h"
#include "SubWindowPlace.h"
#include "TAppSettings.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>

class TTestMainWindow : public QMainWindow, public IMainWindow {
public:
    TTestMainWindow()
    {
        AppSettings.SetDefaults();
        PdfPrinter.setOutputFormat(QPrinter::PdfFormat);
        setCentralWidget(Area);
        QObject::connect(Area, &QMdiArea::subWindowActivated, [](QMdiSubWindow* sub) {
            if (auto* child = sub ? qobject_cast<TChildWindow*>(sub->widget()) : nullptr)
                child->FormActivate();
        });
        resize(800, 600);
        show();
    }

    void SetActiveWindowText(const QString& text) override { StatusText = text; }
    void AddChildWindow(TChildWindow* window, QSize clientSize) override
    {
        QMdiSubWindow* sub = Area->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->resize(clientSize + sub->sizeHint() - window->sizeHint());
        sub->move(0, 0);
        sub->show();
        Area->setActiveSubWindow(sub);
    }
    TChildWindow* ActiveChildWindow() const override
    {
        QMdiSubWindow* sub = Area->activeSubWindow();
        return sub ? qobject_cast<TChildWindow*>(sub->widget()) : nullptr;
    }
    QSize ClientAreaSize() const override { return Area->viewport()->size(); }
    TWindowPlace PlaceOf(const TChildWindow* window) const override
    {
        return PlaceOfSubWindow(*qobject_cast<const QMdiSubWindow*>(window->parentWidget()),
                                window->NormalFrame);
    }
    void ApplyPlace(TChildWindow* window, const TWindowPlace& place) override
    {
        window->NormalFrame = ApplySubWindowPlace(
            *qobject_cast<QMdiSubWindow*>(window->parentWidget()), place, ClientAreaSize());
    }
    IMessageSink& Messages() override { return Collected; }
    const TAppSettings& Settings() const override { return AppSettings; }
    IUserInteraction& User() override { return Person; }
    QPrinter& Printer() override { return PdfPrinter; }

    // The child windows, most recently active last.
    QList<TChildWindow*> Children() const
    {
        QList<TChildWindow*> children;
        for (QMdiSubWindow* sub : Area->subWindowList(QMdiArea::ActivationHistoryOrder))
            children.append(qobject_cast<TChildWindow*>(sub->widget()));
        return children;
    }

    TAppSettings AppSettings;
    QMdiArea* Area = new QMdiArea(this);
    QString StatusText;
    TCollectedMessages Collected;
    TScriptedUser Person;
    QPrinter PdfPrinter{QPrinter::HighResolution};
};
