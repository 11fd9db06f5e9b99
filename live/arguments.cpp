#include "live/arguments.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QString>
#include <cmath>

#include "live/json_forms.h"

namespace horavia::live {
namespace {

std::string Quoted(std::string_view name) {
  std::string quoted(1, '"');
  quoted.append(name).push_back('"');
  return quoted;
}

ArgumentCheck Failed(std::string error) { return {Arguments(), std::move(error)}; }

const FieldRule* RuleFor(std::span<const FieldRule> rules, std::string_view name) {
  for (const FieldRule& rule : rules) {
    if (rule.name == name) return &rule;
  }
  return nullptr;
}

bool HasControlCharacter(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

std::string ChoiceList(std::span<const std::string_view> choices) {
  std::string list;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (i > 0) list += i + 1 == choices.size() ? " or " : ", ";
    list += Quoted(choices[i]);
  }
  return list;
}

// What is wrong with one field's value; empty when nothing is.
std::string ValueProblem(const FieldRule& rule, const QJsonValue& value) {
  const std::string name = Quoted(rule.name);
  switch (rule.kind) {
    case FieldKind::Text: {
      if (!value.isString()) return name + " must be text";
      const std::string text = value.toString().toStdString();
      if (text.empty() || text.size() > rule.maxBytes) {
        return name + " must be 1 to " + std::to_string(rule.maxBytes) + " bytes of UTF-8";
      }
      if (HasControlCharacter(text)) return name + " must not hold control characters";
      return "";
    }
    case FieldKind::Choice: {
      const std::string text = value.isString() ? value.toString().toStdString() : std::string();
      for (std::string_view choice : rule.choices) {
        if (value.isString() && text == choice) return "";
      }
      return name + " must be " + ChoiceList(rule.choices);
    }
    case FieldKind::Boolean:
      return value.isBool() ? "" : name + " must be true or false";
    case FieldKind::Whole: {
      const double number = value.toDouble(std::nan(""));
      const std::string range = std::to_string(rule.min) + " to " + std::to_string(rule.max);
      if (!value.isDouble() || number != std::floor(number) || number < rule.min || number > rule.max) {
        return name + " must be a whole number from " + range;
      }
      return "";
    }
  }
  return name + " has no rule";
}

// A query item's text as the JSON value its field takes; a value the field
// can never accept stays text, and the check names it.
QJsonValue FromQueryText(const FieldRule& rule, const QString& text) {
  switch (rule.kind) {
    case FieldKind::Boolean:
      if (text == "true" || text == "1") return true;
      if (text == "false" || text == "0") return false;
      return text;
    case FieldKind::Whole: {
      bool ok = false;
      const int number = text.toInt(&ok, 10);
      return ok ? QJsonValue(number) : QJsonValue(text);
    }
    case FieldKind::Text:
    case FieldKind::Choice:
      return text;
  }
  return text;
}

}  // namespace

bool Arguments::has(std::string_view name) const { return values_.contains(Utf8Text(name)); }

std::string Arguments::text(std::string_view name, std::string_view fallback) const {
  const QJsonValue value = values_.value(Utf8Text(name));
  return value.isString() ? value.toString().toStdString() : std::string(fallback);
}

bool Arguments::boolean(std::string_view name) const { return values_.value(Utf8Text(name)).toBool(); }

int Arguments::whole(std::string_view name, int fallback) const { return values_.value(Utf8Text(name)).toInt(fallback); }

ArgumentCheck CheckArguments(const QJsonObject& object, std::span<const FieldRule> rules) {
  for (auto it = object.begin(); it != object.end(); ++it) {
    const std::string name = it.key().toStdString();
    const FieldRule* rule = RuleFor(rules, name);
    if (rule == nullptr) return Failed("unknown field " + Quoted(name));
    std::string problem = ValueProblem(*rule, it.value());
    if (!problem.empty()) return Failed(std::move(problem));
  }
  for (const FieldRule& rule : rules) {
    if (rule.required && !object.contains(Utf8Text(rule.name))) return Failed("missing field " + Quoted(rule.name));
  }
  return {Arguments(object), std::string()};
}

ArgumentCheck ArgumentsFromBody(std::string_view body, std::span<const FieldRule> rules) {
  if (body.empty()) return CheckArguments({}, rules);
  QJsonParseError error;
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray(body.data(), static_cast<qsizetype>(body.size())), &error);
  if (error.error != QJsonParseError::NoError) {
    return Failed("the body is not JSON: " + error.errorString().toStdString() + " at byte " +
                  std::to_string(error.offset));
  }
  if (!document.isObject()) return Failed("the body must be a JSON object");
  return CheckArguments(document.object(), rules);
}

QUrlQuery ParseQuery(std::string_view query) { return QUrlQuery(Utf8Text(query)); }

ArgumentCheck ArgumentsFromQuery(std::string_view queryText, std::span<const FieldRule> rules) {
  const QUrlQuery query = ParseQuery(queryText);
  QJsonObject object;
  for (const FieldRule& rule : rules) {
    const QString key = Utf8Text(rule.name);
    if (query.hasQueryItem(key)) object[key] = FromQueryText(rule, query.queryItemValue(key, QUrl::FullyDecoded));
  }
  return CheckArguments(object, rules);
}

}  // namespace horavia::live
