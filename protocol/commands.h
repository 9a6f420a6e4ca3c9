#pragma once
// Commands that act on the controller at once: clock, relays, memory notice, beeper.
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/link_state.h"

namespace zm48d {

// Sets the clock from "HH:MM:SS" and "DD/MM/YY" (command 'E' 'G'). A digit position
// holding anything but a decimal digit throws ConversionError before anything is
// sent; a date that is no real date is sent with weekday 0.
bool SetClock(LinkState& link, std::string_view time, std::string_view date, LinkStatus& status);

// Reads the clock (command 'E' 'L'). On failure the outputs are left unchanged.
bool ReadClock(LinkState& link, std::string& time, std::string& date, std::string& weekday,
               LinkStatus& status);

// Pulses relay 1..4 for `time` (command 'C', the time as five ASCII digits).
bool PulseRelay(LinkState& link, std::uint8_t relay, std::int32_t time, LinkStatus& status);

// Tells the controller its memory was rewritten (command 'I').
bool NotifyMemoryUpdated(LinkState& link, LinkStatus& status);

// The controller's beeper: command 'H' with no data.
bool Beep(LinkState& link, LinkStatus& status);

// Day of the week (0 Sunday .. 6 Saturday) of a "DD/MM/YY" text, read as
// day/month/two-digit year in 2000..2099; 0 when it is no real date.
int WeekdayOfDate(std::string_view date);

// "Domingo" .. "Sábado" for 0..6, "Erro" for anything else.
std::string WeekdayName(int weekday);

}  // namespace zm48d
