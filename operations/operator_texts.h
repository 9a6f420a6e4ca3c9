#pragma once
// Every text the terminal shows the operator about an operation, in UTF-8, for
// the window's message boxes and the command line's streams alike. Several
// differ only in their exclamation marks: each button has its own, and scripts
// that watch for them depend on the exact bytes.
#include <string_view>

namespace zm48d::text {

// ---- a port that does not open, per button ------------------------------------
// "Beep", the relays, the reader timeouts.
inline constexpr std::string_view kOpenPortFailed = "Erro ao abrir a porta serial!!";
// Relay times, head, the tag list stage, the event stack, "Último", "Montar lista".
inline constexpr std::string_view kOpenSerialFailed = "Erro ao abrir a serial!!";
// The rules stage of "Enviar para o aparelho": one exclamation mark.
inline constexpr std::string_view kRulesOpenFailed = "Erro ao abrir a serial!";
// The clock.
inline constexpr std::string_view kOpenClockFailed = "Erro ao abrir serial!!";
// Online reading: a line of its log, no exclamation marks.
inline constexpr std::string_view kOnlineOpenFailed = "Erro ao abrir porta serial";

// ---- why a port did not open ------------------------------------------------------
// The line after the text above on the command line (and, later, the window's
// status bar): "<device>: <the system's reason>; <what to do>".
inline constexpr std::string_view kJoinDialoutGroup = "add the user to the dialout group";
inline constexpr std::string_view kInUseBy = "in use by ";
inline constexpr std::string_view kInUseByAnotherProgram = "in use by another program";
inline constexpr std::string_view kNotASerialDevice = "not a serial device";

// ---- outcomes -------------------------------------------------------------------
inline constexpr std::string_view kError = "Erro!!";
inline constexpr std::string_view kDone = "Operação concluída!!";
inline constexpr std::string_view kWriteDone = "Gravação concluída com sucesso!";
inline constexpr std::string_view kRelayTimesWriteFailed = "Erro ao gravar tempo de relé!";
inline constexpr std::string_view kRelayTimesReadFailed = "Erro na leitura dos tempos!";
inline constexpr std::string_view kHeadWriteFailed = "Erro ao gravar cabeça!";
inline constexpr std::string_view kHeadReadFailed = "Erro na leitura!";
inline constexpr std::string_view kHeadReadDone = "Leitura concluída!";
inline constexpr std::string_view kClockSet = "Relógio configurado!!";
inline constexpr std::string_view kClockReadFailed = "Erro ao ler relógio!!";
inline constexpr std::string_view kWeekdayCaption = "Dia da semana: ";
inline constexpr std::string_view kReadersWriteDone = "Programação concluída com sucesso!!";
inline constexpr std::string_view kReadersWriteFailed =
    "Erro na programação do timeout dos leitores!!";
inline constexpr std::string_view kReadersReadFailed = "Erro na leitura do timeout dos leitores!!";

// "Zerar memória", one text per failed stage.
inline constexpr std::string_view kResetConfigReadFailed = "Erro1!!";
inline constexpr std::string_view kResetHeaderReadFailed = "Erro2!!";
inline constexpr std::string_view kResetHeaderWriteFailed = "Erro3!!";
inline constexpr std::string_view kResetConfigFailed = "Erro4!!";

// ---- the event stack ------------------------------------------------------------
inline constexpr std::string_view kNoRecords = "Não existem registros a serem lidos!!";
inline constexpr std::string_view kStackReadFailed = "Não foi possível ler os dados da eeprom!!";
inline constexpr std::string_view kRecordCountCaption = "Total de registros lidos: ";

// ---- online reading -------------------------------------------------------------
inline constexpr std::string_view kOnlineReadFailed = "Erro de leitura!!";
inline constexpr std::string_view kOnlineSeparator = " - ";

// ---- the transfer page ("TX") and "Enviar lista para o aparelho" -------------------
inline constexpr std::string_view kChooseFiles = "Escolha os arquivos corretamente!";
inline constexpr std::string_view kIncompatibleFiles = "Arquivos incompatíveis!!";
inline constexpr std::string_view kRulesFailed = "Erro ao enviar configuração da eep!!";
inline constexpr std::string_view kTagsNotChosen = "Lista não enviada!!";
inline constexpr std::string_view kTagsFailed = "Erro ao enviar lista para o aparelho!!";

// ---- the editors ------------------------------------------------------------------
inline constexpr std::string_view kGridFull = "Limite atingido!!";
inline constexpr std::string_view kIncompatibleFile = "Arquivo incompatível!!";
// "Arquivo com mais de N registros!!": a file with more data lines than the grid holds.
inline constexpr std::string_view kTooManyLinesBefore = "Arquivo com mais de ";
inline constexpr std::string_view kTooManyLinesAfter = " registros!!";

}  // namespace zm48d::text
