#include "cli/command_table.h"

#include <array>

#include "cli/commands.h"

namespace zm48d::cli {

namespace {

// What the controller may hold after a stop, by what the command does to it.
constexpr std::string_view kUnchanged = "nothing on the controller was changed";
constexpr std::string_view kNoPort = "no port was opened";
constexpr std::string_view kSiteStopped =
    "each controller may hold what its own command would hold when stopped";
constexpr std::string_view kRelayOnly =
    "the relay may have been pulsed; nothing stored was changed";
constexpr std::string_view kClockMaybeSet =
    "if the clock was being set, it may or may not hold the new time";
constexpr std::string_view kValuesMaybePartly =
    "if values were being written, the controller may hold some of them";
constexpr std::string_view kHeadMaybeStored =
    "if a head address was being stored, the controller may or may not answer to it";
constexpr std::string_view kResetMaybePartly =
    "the controller's memory may be partly reset: run reset-memory again";
constexpr std::string_view kNoticeMaybeSent = "the controller may or may not have been told";
constexpr std::string_view kHarvestStopped =
    "whatever was stored is kept, and the next harvest will not store it twice";
constexpr std::string_view kConfigurationMaybePartly =
    "the controller may hold part of the new configuration: send it again";

constexpr std::array kCommands = {
    CommandEntry{"beep", RunBeep, "beep                             sound the controller's beeper",
                 kUnchanged},
    CommandEntry{"relay", RunRelay,
                 "relay N                          pulse relay N (1..4) with the time 200",
                 kRelayOnly},
    CommandEntry{"clock", RunClock,
                 "clock                            read the clock: DD/MM/YY HH:MM:SS weekday\n"
                 "clock --set \"DD/MM/YY HH:MM:SS\"  set the clock\n"
                 "clock --sync                     set the clock from this PC's local time",
                 kClockMaybeSet},
    CommandEntry{"relay-times", RunRelayTimes,
                 "relay-times                      read the four relay times (ms)\n"
                 "relay-times T1 T2 T3 T4          write them (ms, kept in steps of 250 ms)",
                 kValuesMaybePartly},
    CommandEntry{"reader-timeouts", RunReaderTimeouts,
                 "reader-timeouts                  read the four reader timeouts (s)\n"
                 "reader-timeouts R1 R2 R3 R4      write them (s, cut to 6 bits: 0..63)",
                 kValuesMaybePartly},
    CommandEntry{"head", RunHead,
                 "head                             read the head address stored in the controller\n"
                 "head HEX                         store a new one (written through head AA)",
                 kHeadMaybeStored},
    CommandEntry{
        "reset-memory", RunResetMemory,
        "reset-memory                     \"Zerar memória\": empty tag list, rules and events",
        kResetMaybePartly},
    CommandEntry{
        "defaults", RunDefaults,
        "defaults                         relay times 1500 ms, reader timeouts 2 s, notify",
        kValuesMaybePartly},
    CommandEntry{"notify", RunNotify,
                 "notify                           tell the controller its memory was rewritten",
                 kNoticeMaybeSent},
    CommandEntry{"eeprom", RunEeprom,
                 "eeprom read ADDR LEN             dump LEN bytes of the EEPROM space\n"
                 "eeprom write ADDR HEXBYTES       write bytes into the EEPROM space",
                 kValuesMaybePartly},
    CommandEntry{
        "settings", RunSettings,
        "settings read ADDR               dump the 128-byte page at ADDR of the settings space\n"
        "settings write ADDR HEXBYTES     write up to 128 bytes at ADDR; the rest of the\n"
        "                                 page keeps the controller's values",
        kValuesMaybePartly},
    CommandEntry{
        "stack-space", RunStackSpace,
        "stack-space HOLIDAYS GROUPS      event records the stack will hold with these rules",
        kNoPort},
    CommandEntry{
        "send", RunSend,
        "send --holidays F --groups F [--tags F] [--verify]\n"
        "                                 send rules and tag list, then notify the controller;\n"
        "                                 --verify: then verify, the exit status says whether\n"
        "                                 the controller holds the files",
        kConfigurationMaybePartly},
    CommandEntry{"send-tags", RunSendTags,
                 "send-tags FILE                   send a tag list file alone (no notify)",
                 kConfigurationMaybePartly},
    CommandEntry{
        "check", RunCheck,
        "check --holidays F --groups F --tags F [--swipes FILE] [--csv]\n"
        "      [DOOR TAG \"DD/MM/YY HH:MM:SS\"]\n"
        "                                 decide tag reads (FILE: one a line, DOOR TAG\n"
        "                                 DD/MM/YY HH:MM:SS) as the controller would once\n"
        "                                 the files were sent; no port is opened. Rows as\n"
        "                                 events prints them; exit 0 all granted, 3 one\n"
        "                                 or more refused, 1 files a send would refuse",
        kNoPort},
    CommandEntry{
        "backup", RunBackup,
        "backup --holidays F --groups F --tags F\n"
        "                                 read the controller's rules and tag list back into\n"
        "                                 the three files (nothing is written to it); the\n"
        "                                 descriptions of the files replaced are kept",
        kUnchanged},
    CommandEntry{
        "verify", RunVerify,
        "verify [--holidays F] [--groups F] [--tags F]\n"
        "                                 compare what the controller holds with the files:\n"
        "                                 one line per difference, exit status 1 if any",
        kUnchanged},
    CommandEntry{"last-tag", RunLastTag,
                 "last-tag                         tag of the newest event waiting on the stack",
                 kUnchanged},
    CommandEntry{"oldest-tags", RunOldestTags,
                 "oldest-tags X                    tags of the X oldest waiting events, one a line",
                 kUnchanged},
    CommandEntry{
        "events", RunEvents,
        "events [--clear] [--csv]         the events waiting on the stack, decoded, oldest\n"
        "                                 first; --clear empties the stack afterwards\n"
        "                                 (download mode, notify); --csv: spreadsheet rows",
        kUnchanged},
    CommandEntry{"watch", RunWatch,
                 "watch [--count N] [--interval MS]  online reading: one line per poll (every\n"
                 "                                 1000 ms) until Ctrl+C or N polls",
                 kUnchanged},
#ifndef _WIN32
    CommandEntry{
        "harvest", RunHarvest,
        "harvest [--db URL] [--controller NAME] [--keep]\n"
        "                                 store the waiting events in the event store, then\n"
        "                                 empty the stack (not with --keep); NAME defaults to\n"
        "                                 the port's name, URL to the default SQLite file",
        kHarvestStopped},
    CommandEntry{
        "history", RunHistory,
        "history [--db URL] [--controller NAME] [--tag HEX] [--from DD/MM/YY]\n"
        "        [--to DD/MM/YY] [--door N] [--refused] [--csv] [--summary]\n"
        "                                 the stored events, oldest first, as events prints\n"
        "                                 them with the controller and the harvest time;\n"
        "                                 --summary: granted and refused per day and door",
        kNoPort},
#endif
    CommandEntry{
        "site", RunSite,
        "site FILE status | send [--verify] | verify | backup DIR | clock --sync\n"
        "          | harvest [--db URL]\n"
        "                                 every controller of the site file FILE (TOML) at\n"
        "                                 once, each on its own port: its status (beep,\n"
        "                                 clock, head, tag count), a send or verify of the\n"
        "                                 files it names, a backup into DIR/NAME/, its\n"
        "                                 events into the store; a summary table at the end,\n"
        "                                 exit 1 when one or more failed",
        kSiteStopped},
};

}  // namespace

std::span<const CommandEntry> CommandTable() { return kCommands; }

const CommandEntry* FindCommand(std::string_view name) {
  for (const CommandEntry& entry : kCommands) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

}  // namespace zm48d::cli
