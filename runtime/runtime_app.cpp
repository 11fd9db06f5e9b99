// The runtime application object: image initialisation, the service routine,
// shutdown and the fatal-error path.
//
// Index
//   [start-up]   program path, initializeImage
//   [services]   the numbered requests of the libraries
//   [shutdown]   exitProgram, shutdown, fatal
#include "runtime/runtime_app.h"

#include <string>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/text_codec.h"
#include "runtime/fatal.h"
#include "runtime/messages.h"
#include "runtime/services.h"
#include "runtime/values.h"

namespace horavia::runtime {
using platform::CurrentThreadId;

RuntimeApp& Runtime() {
  // Created once, like the framework's application object; never destroyed,
  // so nothing runs after the process has ended its own shutdown sequence.
  static RuntimeApp* app = new RuntimeApp;
  return *app;
}

RuntimeApp::RuntimeApp() : mainThread_(CurrentThreadId()) {}

// [start-up] -------------------------------------------------------------------

void RuntimeApp::setProgramPath(const std::string& hostExecutablePath) {
  // Split at the last separator into folder and file name; without one the
  // folder is empty and the whole name is the file name.
  std::string path = platform::RuntimePath(hostExecutablePath);
  std::size_t cut = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    auto c = static_cast<unsigned char>(path[i]);
    if (c >= 0x80 && i + 1 < path.size()) {
      ++i;  // trail byte of a two-byte character
      continue;
    }
    if (c == '\\') cut = i;
  }
  if (cut == std::string::npos) {
    directory_.clear();
    fileName_ = path;
  } else {
    directory_ = path.substr(0, cut);
    fileName_ = path.substr(cut + 1);
  }
  folderWithSlash_ = directory_.empty() && cut == std::string::npos ? std::string() : directory_ + "\\";
  externals_.setProgramFolder(directory_, folderWithSlash_);
}

void RuntimeApp::initializeImage() {
  if (header_ == nullptr) return;
  const ImageHeader& h = *header_;
  runMode_ = h.runMode;

  // The program folder becomes the current folder, so relative names in the
  // application resolve beside the program.
  if (!directory_.empty()) platform::SetCurrentFolder(platform::HostPath(directory_ + "\\"));
  mainThread_ = CurrentThreadId();

  if (h.constantLength > 0) heap_.addConstantRange(h.constantStart, h.constantLength);
  externals_.declare(h.externalCount, h.externalLibraryNames, h.externalFunctionNames);

  libraries_.assign(h.libraries, h.libraries + h.libraryCount);
  libraryStates_.assign(libraries_.size(), 0);
  for (const LibraryInfo* library : libraries_) {
    if (library != nullptr && library->notify != nullptr) {
      library->notify(kNotifyStart, reinterpret_cast<std::intptr_t>(&RuntimeApp::Service), 0);
    }
  }
  initialized_ = true;

  if (windows_ != nullptr && !windows_->loadForms(h.formStart, h.formLength, h.codeBase)) {
    fatal(messages::kConstants.FormBlockFailed, 0);
  }
}

void RuntimeApp::setWindowHost(std::unique_ptr<WindowHost> host) { windows_ = std::move(host); }

const LibraryInfo* RuntimeApp::library(int number) const {
  if (number < 1 || number > libraryCount()) return nullptr;
  return libraries_[static_cast<std::size_t>(number - 1)];
}

const DataTypeInfo* RuntimeApp::typeRecord(TypeTag tag) const {
  if (ClassifyTag(tag) != TagClass::Library) return nullptr;
  tag &= ~kArrayFlag;
  const LibraryInfo* lib = library(static_cast<int>(tag >> 16));
  if (lib == nullptr) return nullptr;
  std::uint32_t type = tag & 0xFFFF;
  if (type < 1 || type > static_cast<std::uint32_t>(lib->dataTypeCount)) return nullptr;
  return &lib->dataTypes[type - 1];
}

// [services] -------------------------------------------------------------------

std::intptr_t RuntimeApp::Service(std::int32_t code, std::intptr_t v1, std::intptr_t v2) {
  RuntimeApp& app = Runtime();
  WindowHost* host = app.windows_.get();
  auto u32 = [](std::intptr_t v) { return static_cast<std::uint32_t>(v); };
  switch (code) {
    case kServiceDefaultIcons: {
      auto* words = reinterpret_cast<std::intptr_t*>(v1);
      if (host != nullptr) {
        host->defaultIcons(words);
      } else if (words != nullptr) {
        words[0] = words[1] = 0;
      }
      return 0;
    }
    case kServiceLoadedForms:
      return host != nullptr ? reinterpret_cast<std::intptr_t>(host->loadedForms()) : 0;
    case kServiceTypeRecord:
      return reinterpret_cast<std::intptr_t>(app.typeRecord(u32(v1)));
    case kServicePictureToBitmap:
      return host != nullptr ? reinterpret_cast<std::intptr_t>(
                                   host->pictureToBitmap(reinterpret_cast<const void*>(v1), v2))
                             : 0;
    case kServiceUnitDestroyed:
      if (host != nullptr) host->unitDestroyed(u32(v1), u32(v2));
      return 0;
    case kServiceToInt32:
      return ToInt32(*reinterpret_cast<const ArgRecord*>(v1));
    case kServiceProgramDirectory:
      return reinterpret_cast<std::intptr_t>(CopyText(app.directory_));
    case kServiceProgramFileName:
      return reinterpret_cast<std::intptr_t>(CopyText(app.fileName_));
    case kServiceLoadWindow:
      if (host == nullptr) return -1;
      return host->loadWindow(*reinterpret_cast<const LoadWindowRequest*>(v1)) ? 0 : -1;
    case kServiceFindUnit:
      return host != nullptr ? reinterpret_cast<std::intptr_t>(host->findUnit(u32(v1), u32(v2))) : 0;
    case kServiceFindUnitOrFail: {
      void* unit = host != nullptr ? host->findUnit(u32(v1), u32(v2)) : nullptr;
      if (unit == nullptr) app.fatal(messages::kConstants.UnitMissing, 0);
      return reinterpret_cast<std::intptr_t>(unit);
    }
    case kServiceRaiseEvent:
      return host != nullptr ? host->raiseEvent(*reinterpret_cast<PlainEventRecord*>(v1)) : 0;
    case kServiceRaiseTypedEvent:
      return host != nullptr ? host->raiseTypedEvent(*reinterpret_cast<TypedEventRecord*>(v1)) : 0;
    case kServiceBlockEvents:
      if (host != nullptr) host->pumpPending();
      app.blockEvents();
      return 0;
    case kServiceUnblockEvents:
      if (host != nullptr) host->pumpPending();
      app.unblockEvents();
      return 0;
    case kServicePumpMessages:
      if (host != nullptr) host->pumpPending();
      return 0;
    case kServiceQuitting:
      return app.shuttingDown_ || (host != nullptr && host->quitting()) ? 1 : 0;
    case kServiceAllocate:
      return reinterpret_cast<std::intptr_t>(v2 != 0 ? app.heap_.tryAllocate(static_cast<std::size_t>(v1))
                                                     : app.heap_.allocate(static_cast<std::size_t>(v1)));
    case kServiceFree:
      app.heap_.free(reinterpret_cast<void*>(v1));
      return 0;
    case kServiceReallocate:
      return reinterpret_cast<std::intptr_t>(
          app.heap_.reallocate(reinterpret_cast<void*>(v1), static_cast<std::size_t>(v2)));
    case kServiceFatalText: {
      const char* text = reinterpret_cast<const char*>(v1);
      app.fatal(text != nullptr ? text : "", 0);
    }
    case kServiceExit:
      app.exitProgram(static_cast<int>(v1));
    case kServiceUnitKind: {
      const DataTypeInfo* type = app.typeRecord(u32(v1));
      if (type == nullptr) return 0;
      if (type->stateFlags & type_flags::kRaisesEvents) return 2;
      if (type->stateFlags & type_flags::kRaisesEventsToo) return 1;
      return 0;
    }
    case kServiceRunMode:
      return app.runMode_;
    default:
      return 0;
  }
}

// [shutdown] -------------------------------------------------------------------

void RuntimeApp::exitProgram(int code) {
  blockEvents();
  if (CurrentThreadId() != mainThread_) {
    // Only the main thread tears down; another thread forwards the request
    // and, unless shutdown is already under way, ends the process at once.
    if (windows_ != nullptr) windows_->forwardExit(code);
    if (!shuttingDown_) platform::ExitProcess(code);
    platform::WaitForProcessEnd();
  }
  shutdown();
  platform::ExitProcess(code);
}

void RuntimeApp::shutdown() {
  if (shutdownDone_) return;
  shutdownDone_ = true;
  shuttingDown_ = true;
  if (windows_ != nullptr) windows_->destroyAllWindows();
  if (CleanupRoutine routine = cleanup_) {
    cleanup_ = nullptr;
    routine();
  }
  for (std::size_t i = 0; i < libraries_.size(); ++i) {
    const LibraryInfo* library = libraries_[i];
    if (library != nullptr && library->notify != nullptr) {
      library->notify(kNotifyShutdown, static_cast<std::intptr_t>(libraryStates_[i]), 0);
    }
  }
  libraries_.clear();
  libraryStates_.clear();
  externals_.releaseAll();
  externals_.setSearchFolder({});
  heap_.clearConstantRanges();
}

void RuntimeApp::fatal(std::string_view message, int code) {
  blockEvents();
  bool handled = false;
  if (errorHandler_ != nullptr && !inErrorHandler_) {
    inErrorHandler_ = true;
    std::string text(message);
    handled = errorHandler_(code, text.c_str()) != 0;
    inErrorHandler_ = false;
  }
  if (!handled) {
    const auto& m = messages::kConstants;
    std::string text = m.ErrorIntro;
    if (code != 0) text += std::string(m.ErrorCodeLabel) + std::to_string(code) + "\r\n\r\n";
    if (!message.empty()) text += std::string(m.ErrorMessageLabel) + std::string(message) + "\r\n";
    platform::ShowDialog({platform::Cp936ToUtf8(m.ErrorCaption), platform::Cp936ToUtf8(text),
                          platform::kDialogIconError});
  }
  // The application's clean-up does not run after a fatal error.
  cleanup_ = nullptr;
  exitProgram(-1);
}

void RuntimeApp::resetForTests() {
  externals_.releaseAll();
  externals_ = ExternalTable();
  heap_.clearConstantRanges();
  header_ = nullptr;
  initialized_ = false;
  runMode_ = 0;
  libraries_.clear();
  libraryStates_.clear();
  cleanup_ = nullptr;
  errorHandler_ = nullptr;
  inErrorHandler_ = false;
  eventsBlocked_ = 0;
  windows_.reset();
  loopRunning_ = shuttingDown_ = shutdownDone_ = false;
  mainThread_ = CurrentThreadId();
  externals_.setProgramFolder(directory_, folderWithSlash_);
}

}  // namespace horavia::runtime
