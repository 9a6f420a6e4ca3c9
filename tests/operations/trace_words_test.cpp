// The words beside the bytes: frames described for the trace pane, progress
// texts and the status line's outcome.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "operations/frame_description.h"
#include "operations/operation_tally.h"
#include "operations/progress_report.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A request frame around `data`, checksum included.
Bytes Request(char command, const Bytes& data) {
  Bytes frame;
  frame.reserve(data.size() + 9);  // one allocation; GCC 12 misreads the growth of a 6-byte one
  frame.insert(frame.end(), {0x02, 0xAA, 0x1E, static_cast<std::uint8_t>(command),
                             static_cast<std::uint8_t>(data.size()), 0x1C});
  frame.insert(frame.end(), data.begin(), data.end());
  frame.push_back(0x03);
  std::uint8_t sum = 0;
  for (std::uint8_t b : frame) sum = static_cast<std::uint8_t>(sum + b);
  frame.push_back(sum);
  frame.push_back(0x04);
  return frame;
}

TEST(FrameDescription, RequestsByCommand) {
  struct Case {
    Bytes frame;
    const char* words;
  };
  const Case cases[] = {
      {{0x02, 0xAA, 0x1E, 0x48, 0x00, 0x1C, 0x03, 0x31, 0x04}, "H beep"},
      {Request('D', {'L', 0x00, 0x20, 1}), "D L ler EEPROM 0020, 16 bytes"},
      {Request('D', {'G', 0x07, 0xDF, 14, 1, 2}), "D G gravar EEPROM 07DF, 14 bytes"},
      {Request('G', {'L', 0x80, 0x10}), "G L ler configurações 8010, 16 bytes"},
      {Request('C', {2, '0', '0', '2', '0', '0'}), "C relé 3, tempo 00200"},
      {Request('E', {'G', 0, 7, 1, 2, 2, 6, 1, 1, 4, 0, 5, 0, 9}),
       "E G acertar relógio 07/12/26 14:05:09"},
      {Request('B', {'S'}), "B S sair do modo de descarga"},
      {Request('J', {'N'}), "J N leitura online"},
      {{0x02, 0xAA, 0x1E, 0x44, 0x04, 0x1C, 'L'}, "quadro incompleto"},
  };
  for (const Case& c : cases) EXPECT_EQ(ops::DescribeRequest(c.frame), c.words);
}

TEST(FrameDescription, AnswersSayOkOrTheBytesTheirTextStandsFor) {
  const Bytes ok = {0x02, 0xAA, 0x1E, 0x02, 0x1C, 'O', 'K', 0x03, 0x85, 0x04};
  EXPECT_EQ(ops::DescribeResponse(ok), "OK");
  const Bytes read = {0x02, 0xAA, 0x1E, 0x04, 0x1C, '0', '7', 'D', 'F', 0x03, 0x00, 0x04};
  EXPECT_EQ(ops::DescribeResponse(read), "2 bytes: 07 DF");
  EXPECT_EQ(ops::DescribeResponse(Bytes(ok.begin(), ok.begin() + 4)), "resposta incompleta");
}

// An answer the terminal refuses says so, rather than showing bytes it never took.
TEST(FrameDescription, AnswersTheTerminalRefusesSaySo) {
  const std::string block = "000102030405060708090A0B0C0D0E0F";
  const Bytes eepromRead = Request('D', {'L', 0x00, 0x00, 1});
  const Bytes pageRead = Request('G', {'L', 0x80, 0x00});
  const Bytes clockRead = Request('E', {'L'});
  struct Case {
    std::string data;
    Bytes request;
    const char* words;
  };
  const Case cases[] = {
      {"1a", {}, "resposta inválida: não é hexadecimal"},
      {"0A0B0c", eepromRead, "resposta inválida: não é hexadecimal"},
      {"NO", {}, "resposta inválida: não é hexadecimal"},
      {"0A0", {}, "resposta inválida: não é hexadecimal"},
      {block.substr(0, 30), eepromRead, "resposta inválida: 15 de 16 bytes"},
      {block.substr(0, 4), pageRead, "resposta inválida: 2 de 16 bytes"},
      {block.substr(0, 14), clockRead, "7 bytes: 00 01 02 03 04 05 06"},
      {block + "zz", pageRead,
       "16 bytes: 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"},  // the rest is not read
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    Bytes frame = {0x02, 0xAA, 0x1E, static_cast<std::uint8_t>(c.data.size()), 0x1C};
    frame.insert(frame.end(), c.data.begin(), c.data.end());
    frame.insert(frame.end(), {0x03, 0x00, 0x04});
    EXPECT_EQ(ops::DescribeResponse(frame, c.request), c.words);
  }
}

TEST(OperationOutcome, OneLineForEachEnding) {
  struct Case {
    ops::OperationTally tally;
    const char* line;
  };
  const Case cases[] = {
      {{1, {}, "", {}, "", ""}, "ok"},
      {{1, {}, "", {}, "", "data ou hora inexistente enviada como digitada"},
       "ok; data ou hora inexistente enviada como digitada"},
      {{69, {}, "", {}, "", ""}, "concluído, 69 quadros"},
      {{1, link_status::kNoHeader, "Erro!!", {}, "", ""}, "Erro!! (sem resposta)"},
      {{1, link_status::kBadChecksum, "", {}, "", ""}, "falhou (checksum errado)"},
      {{18, {}, "Lista não enviada!!", {}, "", ""}, "Lista não enviada!!, 18 quadros"},
      {{0, {}, "Erro ao abrir a serial!!", 3, "", ""}, "porta COM 3 não abriu"},
      {{0, {}, "", 2, "COM 2 (/dev/ttyS1): dispositivo não existe", ""},
       "COM 2 (/dev/ttyS1): dispositivo não existe"},
  };
  for (const Case& c : cases) EXPECT_EQ(ops::OutcomeText(c.tally), c.line);
}

TEST(ProgressText, SaysWhatRunsAndHowFar) {
  EXPECT_EQ(ops::ProgressText("Enviando lista", {BulkTransfer::kTagPages, 17, 42}),
            "Enviando lista: página 17 de 42");
  EXPECT_EQ(ops::ProgressText("Descarregando registros", {BulkTransfer::kEepromRead, 80, 126}),
            "Descarregando registros: 80 de 126 blocos");
  EXPECT_EQ(ops::ProgressText("Enviando configuração", {BulkTransfer::kEepromWrite, 3, 17}),
            "Enviando configuração: quadro 3 de 17");
  EXPECT_EQ(ops::ProgressText("Lendo controlador", {BulkTransfer::kTagListRead, 5, 42}),
            "Lendo controlador: lista, página 5 de 42");
}

}  // namespace
}  // namespace zm48d::testing
