#include "ui/message_box.h"

#include "frame/help_topics.h"
#include "utilities.h"

namespace ui {

int messageBox(HWND owner, const std::string& text, const char* title, UINT flags) {
    return MessageBoxA(owner, text.c_str(), title, flags);
}

void openHelpTopic(HWND owner, const char* topic) { RunApp(owner, "hh.exe", help::topicParameter(topic).c_str()); }

}  // namespace ui
