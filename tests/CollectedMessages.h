// A message sink that collects what it is told.
#pragma once

#include "MessageSink.h"

#include <QStringList>

class TCollectedMessages : public IMessageSink {
public:
    void ShowWarning(const QString& text) override { Warnings.append(text); }
    void ShowError(const QString& text) override { Errors.append(text); }

    QStringList Warnings;
    QStringList Errors;
};
