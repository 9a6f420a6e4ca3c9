#include "link/port_link.h"

#include <utility>

#include "link/port_url.h"

namespace zm48d {

PortLink::PortLink(DevicePathResolver resolver)
    : resolver_(std::move(resolver)),
      device_([this](int) { return name_; }),
      network_([this](int) { return name_; }) {
  // The backends wait on behalf of this link: its hook, and its holds.
  device_.SetIdleHook([this] { Idle(); });
  network_.SetIdleHook([this] { Idle(); });
}

SerialLink& PortLink::BackendFor(const std::string& name) {
  if (IsPortUrl(name)) return network_;
  return device_;
}

bool PortLink::OpenDevice(int portNumber, std::uint32_t baudRate) {
  if (open_) CloseDevice();
  name_ = resolver_(portNumber);
  chosen_ = &BackendFor(name_);
  open_ = chosen_->OpenDevice(portNumber, baudRate);
  return open_;
}

OpenFailure PortLink::LastOpenFailure() const {
  return chosen_ != nullptr ? chosen_->LastOpenFailure() : OpenFailure{};
}

OpenFailure PortLink::LineFailure() const {
  return chosen_ != nullptr ? chosen_->LineFailure() : OpenFailure{};
}

void PortLink::CloseDevice() {
  if (!open_) return;
  chosen_->CloseDevice();
  open_ = false;
}

bool PortLink::Write(const std::uint8_t* block, int size, int& written) {
  written = 0;
  return open_ && chosen_->Write(block, size, written);
}

bool PortLink::Read(int size, std::uint8_t* buffer, int& read) {
  read = 0;
  return open_ && chosen_->Read(size, buffer, read);
}

void PortLink::Purge(unsigned flags) {
  if (open_) chosen_->Purge(flags);
}

}  // namespace zm48d
