// The one error handler of the application's commands: whatever a command
// raises ends that command with a message box, and the program keeps running.
#pragma once

#include <functional>

class IMessageSink;

// Runs command; an error it raises (a failure with its text, a lack of memory,
// anything else) is shown to the user through messages as an error. Returns
// whether the command ended without one.
bool RunCommand(IMessageSink& messages, const std::function<void()>& command);
