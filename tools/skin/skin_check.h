// Checking a skin folder the way the program will read it, and saying in
// plain words what a skin author should fix.
//
// Findings come in three grades, printed as the first word of their line:
//   problem  the skin will not look or behave as its author meant: a
//            picture that does not decode or has the wrong size, light
//            pixels along a cut, an empty outline, pf.ini values that are
//            not numbers or out of range, a sound that does not decode, a
//            file the program will not find under its spelling. The check
//            fails (exit code 1) when there is one.
//   warning  allowed by the program but worth a look: a missing file (the
//            program goes on without it), an outline with no cut at all or
//            with holes, an animated picture where only the first frame
//            shows, an end picture that never vanishes.
//   info     what the program will do with a file: frames, delays, sizes,
//            sound lengths, the pf.ini values it reads.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace horavia::tools::skin {

enum class Grade { Info, Warning, Problem };

struct Finding {
  Grade grade = Grade::Info;
  std::string file;  // a skin file's name, or empty for the folder
  std::string text;
};

class Report {
 public:
  void info(std::string file, std::string text) { add(Grade::Info, std::move(file), std::move(text)); }
  void warning(std::string file, std::string text) { add(Grade::Warning, std::move(file), std::move(text)); }
  void problem(std::string file, std::string text) { add(Grade::Problem, std::move(file), std::move(text)); }

  void append(const Report& other) { findings_.insert(findings_.end(), other.findings_.begin(), other.findings_.end()); }

  const std::vector<Finding>& findings() const { return findings_; }
  int count(Grade grade) const;

 private:
  void add(Grade grade, std::string file, std::string text) {
    findings_.push_back({grade, std::move(file), std::move(text)});
  }
  std::vector<Finding> findings_;
};

// "problem: 时针.gif: ..." (no file part for the folder itself).
std::string FormatFinding(const Finding& finding);

// Reads every file of the skin folder and reports on each. The folder must
// exist (the caller says so otherwise).
Report CheckSkin(const std::filesystem::path& folder);

}  // namespace horavia::tools::skin
