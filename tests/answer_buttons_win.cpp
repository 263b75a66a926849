// The answer buttons of the test executable's message boxes; the program defines its own
// with its other global objects.
#include "ui/message_window.h"

PushButton AnswerButtons[kMaxAnswerButtons];
