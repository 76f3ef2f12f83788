// The JSON definition format: a whole CParameters as text that people keep
// in version control, review and generate.
//
// The writer gives one canonical text per definition: every record and field
// under the model's member names, in a fixed order, texts as UTF-8 strings,
// every coded choice by the name users see ("Aplha", "Form 3", "Look 1-2"),
// pictures as rows of hex digits, the custom font body as base64. Version 1
// texts, which hold the codes as numbers, are still read. The reader
// takes that text back; keys it does not find keep the defaults of a new
// definition, keys it does not know are refused. It checks every type and
// range and reports the first bad place with its path
// ("forms[2].lines[4].maximum: 150 is above 100"); on any error the target
// definition is left untouched.
#pragma once

#include "model/messages.h"
#include "model/parameters.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace formwick {

inline constexpr int kDefinitionFormatVersion = 2;
inline constexpr std::string_view kDefinitionFormatName = "Formwick application definition";

// False (with a message) only when a text of the model cannot be written as
// UTF-8, e.g. a foreign file's text with bytes that are not UTF-8.
bool definition_to_json(const CParameters& parameters, std::string& text, MessageSink& messages);
// The same canonical text as a JSON tree, for tools that walk it.
bool definition_to_json_tree(const CParameters& parameters, nlohmann::ordered_json& root, MessageSink& messages);
bool definition_from_json(std::string_view text, CParameters& parameters, MessageSink& messages);

} // namespace formwick
