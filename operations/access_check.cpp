#include "operations/access_check.h"

#include <sstream>

#include "files/cp1252.h"
#include "files/line_file.h"
#include "operations/operator_texts.h"
#include "operations/readable_errors.h"
#include "operations/upload_refusal_text.h"
#include "protocol/access_decision.h"
#include "protocol/upload_images.h"

namespace zm48d::ops {

namespace {

bool Refused(UploadRefusal refusal, const CheckFiles& files, Notices& notices) {
  if (refusal == UploadRefusal::kNone) return false;
  notices.Show(Tone::kFailure, UploadRefusalText(refusal, files));
  return true;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

}  // namespace

std::unique_ptr<MemoryImage> MemoryAfterSend(const CheckFiles& files, Notices& notices) {
  return WithReadableErrors([&]() -> std::unique_ptr<MemoryImage> {
    const RulesUpload rules = BuildRulesUpload(files.holidays, files.groups);
    if (Refused(rules.refusal, files, notices)) return nullptr;
    const TagListUpload tags = BuildTagListUpload(TagListStart, files.tags);
    if (Refused(tags.refusal, files, notices)) return nullptr;
    auto memory = std::make_unique<MemoryImage>();
    PlaceRules(*memory, rules.image);
    PlaceTagList(*memory, tags);
    return memory;
  });
}

std::string_view ReadFaultText(ReadFault fault) {
  switch (fault) {
    case ReadFault::kDoor: return text::kCheckBadDoor;
    case ReadFault::kTag: return text::kCheckBadTag;
    case ReadFault::kTime: return text::kCheckBadTime;
    case ReadFault::kNone: break;
  }
  return {};
}

std::optional<std::vector<TagRead>> LoadReads(const std::string& path, Notices& notices) {
  std::vector<TagRead> reads;
  const LineList lines = LoadLines(path);
  for (int i = 0; i < lines.size(); ++i) {
    const std::vector<std::string> words = Words(lines.at(i));
    if (words.empty()) continue;
    const std::string place = path + " line " + std::to_string(i + 1) + ": ";
    if (words.size() != 4) {
      notices.Show(Tone::kFailure, place + std::string(text::kCheckReadShape));
      return std::nullopt;
    }
    const std::string time = words[2] + " " + words[3];
    const ParsedRead parsed = ParseTagRead(words[0], words[1], time);
    if (parsed.fault != ReadFault::kNone) {
      const std::string& bad = parsed.fault == ReadFault::kDoor  ? words[0]
                               : parsed.fault == ReadFault::kTag ? words[1]
                                                                 : time;
      notices.Show(Tone::kFailure, place + std::string(ReadFaultText(parsed.fault)) + ", not '" +
                                       Cp1252ToUtf8(bad) + "'");
      return std::nullopt;
    }
    reads.push_back(parsed.read);
  }
  return reads;
}

CheckOutcome CheckReads(const MemoryImage& memory, std::span<const TagRead> reads) {
  CheckOutcome outcome;
  outcome.records.reserve(reads.size() * EventRecordSize);
  for (const TagRead& read : reads) {
    // A memory laid out by a send is never damaged, so every read is decided.
    const ReadEvaluation evaluation = EvaluateRead(memory.View(), read);
    outcome.records.insert(outcome.records.end(), evaluation.record.begin(),
                           evaluation.record.end());
    outcome.allGranted = outcome.allGranted && evaluation.damage == LayoutDamage::kNone &&
                         evaluation.decision.Granted();
  }
  return outcome;
}

}  // namespace zm48d::ops
