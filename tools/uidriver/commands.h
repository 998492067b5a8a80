#pragma once
// The driver's commands, one handler each (README.md describes them).

#include "command_support.h"

namespace uidriver {

bool cmdStart(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdStartAnother(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdCopyFile(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdWaitWindow(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdWaitMsgbox(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdExpectMsgbox(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdExpectNoMsgbox(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdExpectTip(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdAnswer(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdClose(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdMinimise(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdRestore(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdWaitExit(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdSleep(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdSettle(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdSet(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdScreenshot(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdDump(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdExpectAcp(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdEcho(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdGet(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdExpect(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdExpectItems(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdExpectNone(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdClick(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdCheck(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdSelect(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdChoose(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdType(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdRetype(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdSetText(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdTab(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdFocus(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdKey(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdMouseClick(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdPick(Target& t, const Command& c, JsonLine& out, std::string& error);
bool cmdClipboard(Target& t, const Command& c, JsonLine& out, std::string& error);

} // namespace uidriver
