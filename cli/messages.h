#pragma once
// The texts the window shows for the operations the command line runs. Each
// handler of the window has its own open-failure text; a command uses the text
// of the button it stands for, so scripts and operators see the same words.
#include <string_view>

namespace zm48d::cli::text {

// Open failures.
inline constexpr std::string_view kOpenPortFailed = "Erro ao abrir a porta serial!!";  // Beep, relays, reader timeouts
inline constexpr std::string_view kOpenSerialFailed = "Erro ao abrir a serial!!";      // relay times, head
inline constexpr std::string_view kOpenClockFailed = "Erro ao abrir serial!!";         // clock

// Generic outcomes (Beep, the hidden test buttons).
inline constexpr std::string_view kError = "Erro!!";
inline constexpr std::string_view kDone = "Operação concluída!!";

inline constexpr std::string_view kWriteDone = "Gravação concluída com sucesso!";
inline constexpr std::string_view kRelayTimesWriteFailed = "Erro ao gravar tempo de relé!";
inline constexpr std::string_view kRelayTimesReadFailed = "Erro na leitura dos tempos!";
inline constexpr std::string_view kHeadWriteFailed = "Erro ao gravar cabeça!";
inline constexpr std::string_view kHeadReadFailed = "Erro na leitura!";
inline constexpr std::string_view kClockSet = "Relógio configurado!!";
inline constexpr std::string_view kClockReadFailed = "Erro ao ler relógio!!";
inline constexpr std::string_view kReadersWriteDone = "Programação concluída com sucesso!!";
inline constexpr std::string_view kReadersWriteFailed = "Erro na programação do timeout dos leitores!!";
inline constexpr std::string_view kReadersReadFailed = "Erro na leitura do timeout dos leitores!!";

// "Zerar memória", one text per failed stage.
inline constexpr std::string_view kResetConfigReadFailed = "Erro1!!";
inline constexpr std::string_view kResetHeaderReadFailed = "Erro2!!";
inline constexpr std::string_view kResetHeaderWriteFailed = "Erro3!!";
inline constexpr std::string_view kResetConfigFailed = "Erro4!!";

}  // namespace zm48d::cli::text
