#pragma once
// One function per command, grouped by area in the commands_*.cpp files. Each
// checks its arguments first (UsageError), then runs one port cycle.
#include "cli/command.h"
#include "operations/controller_verify.h"

namespace zm48d::cli {

// commands_basic.cpp
int RunBeep(CommandContext& context);
int RunRelay(CommandContext& context);
int RunNotify(CommandContext& context);

// commands_clock.cpp
int RunClock(CommandContext& context);

// commands_config.cpp
int RunRelayTimes(CommandContext& context);
int RunReaderTimeouts(CommandContext& context);
int RunHead(CommandContext& context);
int RunDefaults(CommandContext& context);

// commands_memory.cpp
int RunResetMemory(CommandContext& context);
int RunEeprom(CommandContext& context);
int RunSettings(CommandContext& context);

// commands_send.cpp
int RunStackSpace(CommandContext& context);
int RunSend(CommandContext& context);
int RunSendTags(CommandContext& context);

// commands_check.cpp (no port: the files are tried in a memory image)
int RunCheck(CommandContext& context);
// commands_site.cpp (every controller of a site file, each on its own port)
int RunSite(CommandContext& context);
// commands_readback.cpp
int RunBackup(CommandContext& context);
int RunVerify(CommandContext& context);
// The differences one a line on `out`; 0 when the controller holds the files.
int PrintVerifyResult(CommandContext& context, const ops::VerifyResult& result);

// commands_tags.cpp
int RunLastTag(CommandContext& context);
int RunOldestTags(CommandContext& context);

// commands_events.cpp
int RunEvents(CommandContext& context);
int RunWatch(CommandContext& context);

// commands_history.cpp (not in the Windows build: no event store there)
int RunHarvest(CommandContext& context);
int RunHistory(CommandContext& context);

}  // namespace zm48d::cli
