// A route's arguments: the fields it takes, each one rule, checked the same
// way whether they came as a JSON body, a query or an events-socket message.
// A failed check names the field and what is wrong with it.
#pragma once

#include <QJsonObject>
#include <QUrlQuery>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace horavia::live {

enum class FieldKind {
  Text,     // UTF-8 text of 1..maxBytes bytes without control characters
  Choice,   // one of `choices`
  Boolean,  // true or false (in a query: true, false, 1 or 0)
  Whole,    // a whole number in min..max
};

struct FieldRule {
  std::string_view name;
  FieldKind kind = FieldKind::Text;
  bool required = false;
  std::size_t maxBytes = 0;  // Text
  std::span<const std::string_view> choices = {};
  int min = 0, max = 0;  // Whole
};

// Checked arguments; a field that was not given reads as the fallback.
class Arguments {
 public:
  explicit Arguments(QJsonObject values = {}) : values_(std::move(values)) {}
  bool has(std::string_view name) const;
  std::string text(std::string_view name, std::string_view fallback = "") const;
  bool boolean(std::string_view name) const;
  int whole(std::string_view name, int fallback) const;

 private:
  QJsonObject values_;
};

struct ArgumentCheck {
  Arguments arguments;
  std::string error;  // empty: the arguments passed
  bool ok() const { return error.empty(); }
};

// Every field of `object` must have a rule, every required rule a field.
ArgumentCheck CheckArguments(const QJsonObject& object, std::span<const FieldRule> rules);
// A request body: empty means no fields; else a JSON object.
ArgumentCheck ArgumentsFromBody(std::string_view body, std::span<const FieldRule> rules);
// A request's query (percent-encoded, without the "?"), taken apart.
QUrlQuery ParseQuery(std::string_view query);
// Query items: those that name a field are converted from text and
// checked; the others (the token among them) are not the route's business.
ArgumentCheck ArgumentsFromQuery(std::string_view query, std::span<const FieldRule> rules);

}  // namespace horavia::live
