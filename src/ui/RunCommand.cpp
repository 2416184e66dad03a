#include "RunCommand.h"

#include "Error.h"
#include "MessageSink.h"

#include <exception>
#include <new>

using namespace Qt::StringLiterals;

bool RunCommand(IMessageSink& messages, const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const TError& error) {
        messages.ShowError(error.Message());
    } catch (const std::bad_alloc&) {
        messages.ShowError(u"There is not enough memory to finish the command."_s);
    } catch (const std::exception& error) {
        messages.ShowError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        messages.ShowError(u"The command ended with an unknown error."_s);
    }
    return false;
}
