#include "app/demo_script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <utility>

namespace app {
namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at < line.size()) {
    const size_t start = line.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    size_t end = line.find_first_of(" \t", start);
    if (end == std::string_view::npos) end = line.size();
    words.push_back(line.substr(start, end - start));
    at = end;
  }
  return words;
}

bool ToInt(std::string_view word, int& value) {
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  return error == std::errc() && end == word.data() + word.size();
}

// The rest of the line after the command word, as written.
std::string Rest(std::string_view line, std::string_view command) {
  std::string_view rest = line.substr(line.find(command) + command.size());
  const size_t start = rest.find_first_of(" \t");
  rest = start == std::string_view::npos ? std::string_view() : rest.substr(start + 1);
  // Trailing blanks are invisible in an editor: a path never ends in them.
  const size_t last = rest.find_last_not_of(" \t");
  rest = last == std::string_view::npos ? std::string_view() : rest.substr(0, last + 1);
  return std::string(rest);
}

std::string ParseKeys(std::string_view chord, std::vector<UINT>& keys) {
  size_t at = 0;
  while (true) {
    const size_t plus = chord.find('+', at + 1);  // "+" alone is not a separator
    const std::string_view name =
        chord.substr(at, plus == std::string_view::npos ? chord.size() - at : plus - at);
    const UINT vk = KeyFromName(name);
    if (vk == 0) return "unknown key \"" + std::string(name) + "\"";
    keys.push_back(vk);
    if (plus == std::string_view::npos) return {};
    at = plus + 1;
  }
}

// Fills `step` from the words of one line; an error message when they do
// not make a command.
std::string ParseLine(std::string_view line, const std::vector<std::string_view>& words,
                      DemoStep& step) {
  const std::string_view command = words[0];
  const size_t argc = words.size() - 1;
  auto numbers = [&](size_t count, std::initializer_list<int*> out) -> std::string {
    if (argc != count) return std::string(command) + " takes " + std::to_string(count) + " numbers";
    size_t i = 1;
    for (int* value : out) {
      if (!ToInt(words[i], *value)) return "not a number: " + std::string(words[i]);
      ++i;
    }
    return {};
  };
  if (command == "answer-open" || command == "screenshot") {
    step.command = command == "answer-open" ? DemoCommand::kAnswerOpen : DemoCommand::kScreenshot;
    step.text = Rest(line, command);
    return step.text.empty() ? std::string(command) + " needs a path" : std::string();
  }
  if (command == "answer-cancel") {
    step.command = DemoCommand::kAnswerCancel;
    return argc == 0 ? std::string() : "answer-cancel takes nothing";
  }
  if (command == "move" || command == "click") {
    step.command = command == "move" ? DemoCommand::kMove : DemoCommand::kClick;
    return numbers(2, {&step.x, &step.y});
  }
  if (command == "drag") {
    step.command = DemoCommand::kDrag;
    return numbers(4, {&step.x, &step.y, &step.x2, &step.y2});
  }
  if (command == "wait") {
    step.command = DemoCommand::kWait;
    std::string error = numbers(1, {&step.ms});
    return error.empty() && step.ms < 0 ? "wait takes milliseconds, 0 or more" : error;
  }
  if (command == "type") {
    step.command = DemoCommand::kType;
    step.text = Rest(line, command);
    return step.text.empty() ? "type needs text" : std::string();
  }
  if (command == "key") {
    step.command = DemoCommand::kKey;
    return argc == 1 ? ParseKeys(words[1], step.keys) : "key takes one key, e.g. ctrl+a";
  }
  return "unknown command \"" + std::string(command) + "\"";
}

}  // namespace

UINT KeyFromName(std::string_view name) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  static const std::pair<const char*, UINT> kNamed[] = {
      {"escape", VK_ESCAPE}, {"esc", VK_ESCAPE},     {"return", VK_RETURN}, {"enter", VK_RETURN},
      {"tab", VK_TAB},       {"backspace", VK_BACK}, {"delete", VK_DELETE}, {"home", VK_HOME},
      {"end", VK_END},       {"left", VK_LEFT},      {"right", VK_RIGHT},   {"up", VK_UP},
      {"down", VK_DOWN},     {"space", VK_SPACE},    {"ctrl", VK_CONTROL},  {"shift", VK_SHIFT},
      {"alt", VK_MENU},
  };
  for (const auto& [named, vk] : kNamed) {
    if (lower == named) return vk;
  }
  if (lower.size() == 1 && std::isalnum(static_cast<unsigned char>(lower[0]))) {
    return static_cast<UINT>(std::toupper(static_cast<unsigned char>(lower[0])));
  }
  int number = 0;
  if (lower.size() >= 2 && lower[0] == 'f' && ToInt(std::string_view(lower).substr(1), number) &&
      number >= 1 && number <= 12) {
    return static_cast<UINT>(VK_F1 + number - 1);
  }
  return 0;
}

DemoScript ParseDemoScript(std::string_view text) {
  DemoScript script;
  std::istringstream lines{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string_view> words = Words(line);
    if (words.empty() || words[0].front() == '#') continue;
    DemoStep step;
    step.line = number;
    const std::string error = ParseLine(line, words, step);
    if (!error.empty()) {
      script.steps.clear();
      script.error = "line " + std::to_string(number) + ": " + error;
      return script;
    }
    script.steps.push_back(std::move(step));
  }
  return script;
}

DemoScript ReadDemoScript(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    DemoScript script;
    script.error = "cannot read " + path;
    return script;
  }
  std::ostringstream text;
  text << file.rdbuf();
  return ParseDemoScript(text.str());
}

}  // namespace app
