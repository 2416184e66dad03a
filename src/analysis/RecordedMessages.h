// Messages kept back to be shown later: a file analysed on a worker thread
// keeps its messages until the search takes its results in corpus order.
#pragma once

#include "MessageSink.h"

#include <QString>

#include <utility>
#include <vector>

class TRecordedMessages : public IMessageSink {
public:
    void ShowWarning(const QString& text) override { Messages.emplace_back(false, text); }
    void ShowError(const QString& text) override { Messages.emplace_back(true, text); }

    // Shows the messages, in the order they came, to sink.
    void Replay(IMessageSink& sink) const
    {
        for (const auto& [error, text] : Messages) {
            if (error)
                sink.ShowError(text);
            else
                sink.ShowWarning(text);
        }
    }

private:
    std::vector<std::pair<bool, QString>> Messages; // error, text
};
