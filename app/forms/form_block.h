// The form block the program carries: the build compiles the form sources in
// this folder with horavia-forms and embeds the result here (and leaves the
// same bytes as forms.bin in the program folder).
#pragma once

namespace horavia::app {

extern const unsigned char kFormBlock[];
extern const unsigned kFormBlockSize;

}  // namespace horavia::app
