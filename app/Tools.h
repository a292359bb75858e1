#pragma once
// The main window's launch commands: the five sibling tools installed beside the executable, the
// six help-topic buttons and the click on an entry of the recent-files pane.

#include <span>

#include "platform/framework/base/Types.h"

// One sibling tool: its action, caption and executable file (in the program's folder). The first
// three are the CD tools whose actions the brand shows or hides.
struct TSiblingTool {
  const wchar_t* ActionName;
  const wchar_t* Caption;
  const wchar_t* FileName;
};
std::span<const TSiblingTool> SiblingTools();
// The one command-line switch every sibling tool is started with.
extern const wchar_t SiblingToolSwitch[];

// The help-topic buttons: the topic of button n (2 to 6), and button 1's page below the product page.
struct TFaqTopic {
  const wchar_t* Caption;
  const wchar_t* Topic;  // empty for the web page
};
std::span<const TFaqTopic> FaqTopics();
extern const wchar_t FaqPageSuffix[];
