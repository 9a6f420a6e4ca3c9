#include "link/telnet_codec.h"

namespace zm48d {

using namespace telnet;

namespace {

// The options this client asks for itself; the server's agreement needs no answer.
bool ClientOffers(std::uint8_t option) {
  return option == kBinary || option == kSuppressGoAhead || option == kComPortOption;
}
bool ClientRequests(std::uint8_t option) { return option == kBinary || option == kSuppressGoAhead; }

}  // namespace

void TelnetCodec::Reset() {
  state_ = State::kData;
  subnegotiation_.clear();
  replies_.clear();
  comPort_.reset();
  answers_.clear();
}

void TelnetCodec::EncodeData(std::span<const std::uint8_t> data,
                             std::vector<std::uint8_t>& out) const {
  for (std::uint8_t byte : data) {
    out.push_back(byte);
    if (telnet_ && byte == kIac) out.push_back(kIac);
  }
}

std::vector<std::uint8_t> TelnetCodec::OpeningNegotiation() {
  return {kIac, kWill, kBinary,          kIac, kDo,   kBinary,       kIac, kWill, kSuppressGoAhead,
          kIac, kDo,   kSuppressGoAhead, kIac, kWill, kComPortOption};
}

std::vector<std::uint8_t> TelnetCodec::ComPortCommand(std::uint8_t command,
                                                      std::span<const std::uint8_t> value) {
  std::vector<std::uint8_t> out{kIac, kSb, kComPortOption, command};
  for (std::uint8_t byte : value) {
    out.push_back(byte);
    if (byte == kIac) out.push_back(kIac);
  }
  out.insert(out.end(), {kIac, kSe});
  return out;
}

void TelnetCodec::Feed(std::span<const std::uint8_t> bytes, std::deque<std::uint8_t>& data) {
  if (!telnet_) {
    data.insert(data.end(), bytes.begin(), bytes.end());
    return;
  }
  for (std::uint8_t byte : bytes) {
    switch (state_) {
      case State::kData:
        if (byte == kIac)
          state_ = State::kIac;
        else
          data.push_back(byte);
        break;
      case State::kIac:
        state_ = State::kData;
        if (byte == kIac) {
          data.push_back(byte);
        } else if (byte >= kWill && byte <= kDont) {
          verb_ = byte;
          state_ = State::kOption;
        } else if (byte == kSb) {
          subnegotiation_.clear();
          state_ = State::kSubnegotiation;
        }  // other commands (NOP, go-ahead, ...) carry nothing for the line
        break;
      case State::kOption:
        Command(verb_, byte);
        state_ = State::kData;
        break;
      case State::kSubnegotiation:
        if (byte == kIac)
          state_ = State::kSubnegotiationIac;
        else
          subnegotiation_.push_back(byte);
        break;
      case State::kSubnegotiationIac:
        if (byte == kIac) {
          subnegotiation_.push_back(byte);
          state_ = State::kSubnegotiation;
        } else {  // SE, or a broken subnegotiation that ends here all the same
          EndSubnegotiation();
          state_ = State::kData;
        }
        break;
    }
  }
}

void TelnetCodec::Command(std::uint8_t verb, std::uint8_t option) {
  if (option == kComPortOption && (verb == kDo || verb == kDont)) {
    comPort_ = verb == kDo;
    return;
  }
  // Refuse what was not offered, so that the server does not wait for an answer;
  // agreement to what was offered needs none.
  if (verb == kDo && !ClientOffers(option)) replies_.insert(replies_.end(), {kIac, kWont, option});
  if (verb == kWill && !ClientRequests(option)) {
    replies_.insert(replies_.end(), {kIac, kDont, option});
  }
}

void TelnetCodec::EndSubnegotiation() {
  if (subnegotiation_.size() < 2 || subnegotiation_[0] != kComPortOption) return;
  const std::uint8_t command = subnegotiation_[1];
  if (command <= kServerAnswer) return;  // only the server's answers concern the client
  const std::uint8_t asked = command - kServerAnswer;
  answers_[asked].emplace_back(subnegotiation_.begin() + 2, subnegotiation_.end());
}

std::vector<std::uint8_t> TelnetCodec::TakeReplies() {
  std::vector<std::uint8_t> replies;
  replies.swap(replies_);
  return replies;
}

const std::vector<std::vector<std::uint8_t>>& TelnetCodec::ComPortAnswers(
    std::uint8_t command) const {
  static const std::vector<std::vector<std::uint8_t>> kNone;
  const auto it = answers_.find(command);
  return it == answers_.end() ? kNone : it->second;
}

}  // namespace zm48d
