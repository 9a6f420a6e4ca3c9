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
inline constexpr std::string_view kInUseByAnotherClient = "the port is in use by another client";
inline constexpr std::string_view kNoAnswerInConnectBound = "sem resposta em 3 s";
// The window's status line: "COM 5 (/dev/ttyS4): dispositivo não existe".
inline constexpr std::string_view kDeviceMissing = "dispositivo não existe";
inline constexpr std::string_view kNoPermission =
    "sem permissão de acesso; adicione o usuário ao grupo dialout";
inline constexpr std::string_view kInUseByAnotherProgramPt = "em uso por outro programa";
inline constexpr std::string_view kInUseByAnotherClientPt = "em uso por outro cliente";
inline constexpr std::string_view kNotASerialDevicePt = "não é um dispositivo serial";
inline constexpr std::string_view kBadUrl = "URL inválida";
inline constexpr std::string_view kServerNotFound = "servidor não encontrado";
inline constexpr std::string_view kSettingsRefused =
    "o servidor não aceitou a configuração da linha";
inline constexpr std::string_view kConnectionRefused = "conexão recusada pelo servidor";
inline constexpr std::string_view kServerUnreachable = "servidor inalcançável";
inline constexpr std::string_view kConnectionEnded = "o servidor encerrou a conexão";
inline constexpr std::string_view kInputOutputError = "erro de entrada e saída";
inline constexpr std::string_view kSystemError = "erro do sistema ";

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
// The window's status line after "Grava" sent a date or time that does not exist.
inline constexpr std::string_view kClockNotOnTheCalendar =
    "data ou hora inexistente enviada como digitada";
inline constexpr std::string_view kWeekdayCaption = "Dia da semana: ";
inline constexpr std::string_view kReadersWriteDone = "Programação concluída com sucesso!!";
inline constexpr std::string_view kReadersWriteFailed =
    "Erro na programação do timeout dos leitores!!";
inline constexpr std::string_view kReadersReadFailed = "Erro na leitura do timeout dos leitores!!";
// The window's status line after a "Grava" that cut a value to fit its field:
// "Leitor 1: 99 gravado como 35 (0..63)".
inline constexpr std::string_view kRelayName = "Relé ";
inline constexpr std::string_view kReaderName = "Leitor ";
inline constexpr std::string_view kStoredAs = " gravado como ";
inline constexpr std::string_view kRelayTimeRange = "múltiplos de 250, 0..63750";
inline constexpr std::string_view kReaderTimeoutRange = "0..63";

// "Zerar memória", one text per failed stage.
inline constexpr std::string_view kResetConfigReadFailed = "Erro1!!";
inline constexpr std::string_view kResetHeaderReadFailed = "Erro2!!";
inline constexpr std::string_view kResetHeaderWriteFailed = "Erro3!!";
inline constexpr std::string_view kResetConfigFailed = "Erro4!!";
// Asked before anything is sent: one click would otherwise empty the controller.
inline constexpr std::string_view kResetMemoryQuestion =
    "Zerar a memória do controlador? A lista de tags, os grupos, os feriados e os registros "
    "serão apagados.";

// ---- the event stack ------------------------------------------------------------
inline constexpr std::string_view kNoRecords = "Não existem registros a serem lidos!!";
inline constexpr std::string_view kStackReadFailed = "Não foi possível ler os dados da eeprom!!";
inline constexpr std::string_view kRecordCountCaption = "Total de registros lidos: ";
// A clearing download empties the stack only once the records are safe
// elsewhere; when it does not, it says where the records are.
inline constexpr std::string_view kEventsNotKept =
    "Registros não gravados: a pilha não foi apagada, os registros continuam no controlador!!";
inline constexpr std::string_view kDownloadModeRefused =
    "O controlador não entrou no modo de descarga: a pilha não foi apagada, os registros "
    "continuam no controlador!!";
inline constexpr std::string_view kEventsStopped =
    "Interrompido: a pilha não foi apagada, os registros continuam no controlador!!";
inline constexpr std::string_view kClearUncertain =
    "Registros gravados, mas a pilha pode ou não ter sido apagada!!";
inline constexpr std::string_view kStackGrew =
    "Registros gravados, mas o controlador registrou novos eventos durante a descarga: a pilha "
    "não foi apagada!!";
inline constexpr std::string_view kDownloadModeNotLeft =
    "Registros gravados e pilha apagada, mas o controlador não confirmou a saída do modo de "
    "descarga!!";

// The harvest into the event store: "12 registros armazenados (portaria)".
inline constexpr std::string_view kRecordsStored = " registros armazenados (";
inline constexpr std::string_view kEventsNotStored =
    "Registros não armazenados: a pilha não foi apagada, os registros continuam no controlador!!";
inline constexpr std::string_view kStoredDownloadModeRefused =
    "Registros armazenados; o controlador não entrou no modo de descarga e a pilha não foi "
    "apagada. A próxima coleta não os armazenará de novo.";
inline constexpr std::string_view kStoredStopped =
    "Registros armazenados; interrompido antes de apagar a pilha. A próxima coleta não os "
    "armazenará de novo.";
inline constexpr std::string_view kStoredClearUncertain =
    "Registros armazenados, mas a pilha pode ou não ter sido apagada. A próxima coleta não os "
    "armazenará de novo.";
inline constexpr std::string_view kStoredStackGrew =
    "Registros armazenados, mas o controlador registrou novos eventos durante a coleta: a pilha "
    "não foi apagada. A próxima coleta não os armazenará de novo.";
inline constexpr std::string_view kStoredDownloadModeNotLeft =
    "Registros armazenados e pilha apagada, mas o controlador não confirmou a saída do modo de "
    "descarga!!";

// The history's columns beside the event grid's, and its summary's.
inline constexpr std::string_view kControllerColumn = "Controlador";
inline constexpr std::string_view kHarvestedColumn = "Coletado em";
inline constexpr std::string_view kDateColumn = "Data";
inline constexpr std::string_view kDoorColumn = "Porta";
inline constexpr std::string_view kGrantedColumn = "Liberados";
inline constexpr std::string_view kRefusedColumn = "Negados";

// The window's history of stored events.
inline constexpr std::string_view kStoreNotOpened = "Não foi possível abrir o banco de registros ";
inline constexpr std::string_view kHistoryBadTag =
    "O TAG do filtro deve ter seis dígitos hexadecimais!!";
inline constexpr std::string_view kHistoryNotExported = "Não foi possível gravar o arquivo ";

// ---- the ports: what each "COM n" stands for during this run -----------------------
inline constexpr std::string_view kPortDefault = "padrão";
inline constexpr std::string_view kPortThisSession = "nesta sessão";
inline constexpr std::string_view kPortNameHint =
    "Um dispositivo (/dev/ttyUSB0) ou uma URL: rfc2217://HOST:PORTA ou socket://HOST:PORTA";
// "URL inválida: falta o número da porta!!"
inline constexpr std::string_view kPortUrlRefused = "URL inválida: ";
inline constexpr std::string_view kPortUrlRefusedEnd = "!!";
// Why a URL was refused, in the operator's words.
inline constexpr std::string_view kUrlUnknownScheme = "use rfc2217:// ou socket://";
inline constexpr std::string_view kUrlUnclosedBracket = "falta o ] que fecha o endereço";
inline constexpr std::string_view kUrlNoPort = "falta o número da porta";
inline constexpr std::string_view kUrlIpv6NeedsBrackets =
    "um endereço IPv6 vai entre colchetes: [::1]:PORTA";
inline constexpr std::string_view kUrlNoHost = "falta o servidor";
inline constexpr std::string_view kUrlBadPortNumber = "o número da porta deve ser de 1 a 65535";

// ---- online reading -------------------------------------------------------------
inline constexpr std::string_view kOnlineReadFailed = "Erro de leitura!!";
inline constexpr std::string_view kOnlineSeparator = " - ";

// ---- the transfer page ("TX") and "Enviar lista para o aparelho" -------------------
inline constexpr std::string_view kChooseFiles = "Escolha os arquivos corretamente!";
inline constexpr std::string_view kIncompatibleFiles = "Arquivos incompatíveis!!";
inline constexpr std::string_view kRulesFailed = "Erro ao enviar configuração da eep!!";
inline constexpr std::string_view kTagsNotChosen = "Lista não enviada!!";
inline constexpr std::string_view kTagsFailed = "Erro ao enviar lista para o aparelho!!";

// ---- how far a long operation is -----------------------------------------------
inline constexpr std::string_view kSendingRules = "Enviando configuração";
inline constexpr std::string_view kSendingTags = "Enviando lista";
inline constexpr std::string_view kDownloadingEvents = "Descarregando registros";
inline constexpr std::string_view kReadingRecords = "Lendo registros";
inline constexpr std::string_view kReadingController = "Lendo controlador";

// ---- the editors ------------------------------------------------------------------
inline constexpr std::string_view kGridFull = "Limite atingido!!";
inline constexpr std::string_view kIncompatibleFile = "Arquivo incompatível!!";
// "Arquivo com mais de N registros!!": a file with more data lines than the grid holds.
inline constexpr std::string_view kTooManyLinesBefore = "Arquivo com mais de ";
inline constexpr std::string_view kTooManyLinesAfter = " registros!!";

// ---- the access check (zm48d check) ------------------------------------------------
// The command line's own texts, in English like its usage messages. A file's
// refusal follows its path; a bad read follows its place ("leituras.txt line 3: ").
inline constexpr std::string_view kCheckNoSuchFile = ": no such file";
inline constexpr std::string_view kCheckNotHolidays =
    ": not a holidays file (its first line is not ZM48D-FERIADOS, or it has no count line)";
inline constexpr std::string_view kCheckNotGroups =
    ": not a groups file (its first line is not ZM48D-GRUPOS, or it has no count line)";
inline constexpr std::string_view kCheckNotTags =
    ": not a tag list file (its first line is not ZM48D-LISTA)";
inline constexpr std::string_view kCheckTableCount = ": the count must be from 0 to 255";
inline constexpr std::string_view kCheckTagCount = ": the count must not be negative";
inline constexpr std::string_view kCheckRulesTooLarge =
    ": the holidays and groups do not fit the controller's 2048 bytes (see stack-space)";
inline constexpr std::string_view kCheckTagsTooLarge =
    ": the list runs past the end of the controller's settings space";
inline constexpr std::string_view kCheckReadShape = "a read is DOOR TAG DD/MM/YY HH:MM:SS";
inline constexpr std::string_view kCheckBadDoor = "DOOR must be 1 to 4";
inline constexpr std::string_view kCheckBadTag = "TAG must be six hexadecimal digits";
inline constexpr std::string_view kCheckBadTime =
    "the time must be a real date and time DD/MM/YY HH:MM:SS";
// ---- reading back what the controller holds: backup and verify ---------------------
inline constexpr std::string_view kBackupDone = "Cópia do controlador salva com sucesso!";
// Asked before a backup replaces files in the chosen folder:
// "Substituir os arquivos existentes em /home/ana/copia?" and, below, the files.
inline constexpr std::string_view kReplaceFilesQuestion = "Substituir os arquivos existentes em ";
inline constexpr std::string_view kReplaceFilesQuestionEnd = "?";
// The window's status line after a backup that could not keep a replaced
// file's descriptions: "lista.txt: descrições não mantidas (arquivo incompatível)".
inline constexpr std::string_view kDescriptionsNotKept = ": descrições não mantidas (";
inline constexpr std::string_view kEarlierFileIncompatible = "arquivo incompatível";
inline constexpr std::string_view kEarlierFileUnreadable = "arquivo ilegível";
inline constexpr std::string_view kDescriptionsNotKeptEnd = ")";
// The same on the command line's error stream, in English like its other notes:
// "backup: copia/lista.txt: descriptions not kept (not a file of its kind)".
inline constexpr std::string_view kCliDescriptionsNotKept = ": descriptions not kept (";
inline constexpr std::string_view kCliEarlierFileIncompatible = "not a file of its kind";
inline constexpr std::string_view kCliEarlierFileUnreadable = "cannot be read";
inline constexpr std::string_view kReadBackFailed = "Erro na leitura do controlador!!";
inline constexpr std::string_view kRulesOutsideArea =
    "Tabelas do controlador fora da área da eeprom!!";
inline constexpr std::string_view kTagListOutsideSpace =
    "Lista de tags do controlador além do fim da memória!!";
inline constexpr std::string_view kFilesTooLarge =
    "Arquivos maiores que a memória do controlador!!";
inline constexpr std::string_view kVerifyEqual = "Controlador confere com os arquivos!";
// The window's status line after a verify that found differences: "12 diferenças".
inline constexpr std::string_view kOneDifference = " diferença";
inline constexpr std::string_view kDifferences = " diferenças";

// One line per difference: "<record>: [<field> ]controlador <value>, arquivo <value>",
// or "<record> ausente no controlador" / "... ausente no arquivo".
inline constexpr std::string_view kInController = "controlador ";
inline constexpr std::string_view kInFile = ", arquivo ";
inline constexpr std::string_view kMissingInController = " ausente no controlador";
inline constexpr std::string_view kMissingInFile = " ausente no arquivo";
inline constexpr std::string_view kHolidayCount = "quantidade de feriados";
inline constexpr std::string_view kGroupCount = "quantidade de grupos";
inline constexpr std::string_view kTagCount = "quantidade de tags";
inline constexpr std::string_view kHolidayTableAddress = "endereço da tabela de feriados";
inline constexpr std::string_view kGroupTableAddress = "endereço da tabela de grupos";
inline constexpr std::string_view kReservedHeaderBytes = "bytes reservados do cabeçalho";
inline constexpr std::string_view kTagListAddress = "endereço da lista de tags";
inline constexpr std::string_view kHolidayRecord = "feriado ";
inline constexpr std::string_view kGroupRecord = "grupo ";
inline constexpr std::string_view kTagRecord = "tag ";
// The seven windows of a group, Monday first, as the controller keeps them.
inline constexpr std::string_view kWindowDays[7] = {"Segunda", "Terça",  "Quarta", "Quinta",
                                                    "Sexta",   "Sábado", "Domingo"};
inline constexpr std::string_view kWindowStart = " início";
inline constexpr std::string_view kWindowEnd = " fim";
inline constexpr std::string_view kHolidayPermission = "Feriados";
inline constexpr std::string_view kYes = "Sim";
inline constexpr std::string_view kNo = "Não";
inline constexpr std::string_view kPortsField = "portas";
inline constexpr std::string_view kGroupField = "grupo";
inline constexpr std::string_view kTagOrder = "lista de tags: ordem diferente a partir da posição ";
inline constexpr std::string_view kTagFiller = "lista de tags, enchimento após a tag ";

// A site: one outcome line per controller in the summary table.
inline constexpr std::string_view kSiteSent = "enviado";
inline constexpr std::string_view kSiteSentAndVerified = "enviado e verificado";
inline constexpr std::string_view kSiteEqual = "igual aos arquivos";
inline constexpr std::string_view kSiteDifferences = " diferenças";
inline constexpr std::string_view kSiteBackupSaved = "cópia salva em ";
inline constexpr std::string_view kSiteClockSet = "relógio acertado: ";
inline constexpr std::string_view kSiteNoRuleFiles =
    "o site não dá feriados e grupos a este controlador";
inline constexpr std::string_view kSiteNoFiles = "o site não dá arquivos a este controlador";
inline constexpr std::string_view kSiteFailed = "falhou";
// Before each controller's outcome line: how it ended.
inline constexpr std::string_view kSiteOutcomeOk = "ok: ";
inline constexpr std::string_view kSiteOutcomeFailed = "FALHOU: ";
// Between a failed controller's outcome line and the rest of what failed.
inline constexpr std::string_view kSiteMoreFailures = " — ";
// A controller's progress once it has ended well ("falhou" when not).
inline constexpr std::string_view kSiteDone = "concluído";
// The site window before a site file is read.
inline constexpr std::string_view kSiteNoneOpen = "Nenhum site aberto";

// The window's button that stops a long operation before its next frame, and
// the outcome of an operation stopped so.
inline constexpr std::string_view kCancel = "Cancelar";
inline constexpr std::string_view kCancelledByOperator = "cancelado pelo operador";

}  // namespace zm48d::text
