#pragma once
// The operator's texts of the transfer page ("TX") and of "Enviar lista para o
// aparelho". Several differ only in their exclamation marks: each stage has its
// own, and scripts that watch for them depend on the exact bytes.
#include <string_view>

namespace zm48d::transfer_text {

inline constexpr std::string_view kChooseFiles = "Escolha os arquivos corretamente!";
inline constexpr std::string_view kIncompatibleFiles = "Arquivos incompatíveis!!";
// Rules stage: one exclamation mark.
inline constexpr std::string_view kRulesOpenFailed = "Erro ao abrir a serial!";
inline constexpr std::string_view kRulesFailed = "Erro ao enviar configuração da eep!!";
// Tag list stage and "Enviar lista para o aparelho": two.
inline constexpr std::string_view kTagsNotChosen = "Lista não enviada!!";
inline constexpr std::string_view kTagsOpenFailed = "Erro ao abrir a serial!!";
inline constexpr std::string_view kTagsFailed = "Erro ao enviar lista para o aparelho!!";

}  // namespace zm48d::transfer_text
