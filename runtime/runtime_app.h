// The runtime application object: the one owner of the image data, the heap,
// the libraries, the external-function tables and, through the window host,
// the loaded windows.
//
// Index
//   [image]      the application image header the build produces
//   [windows]    the seam through which the window engine plugs in
//   [app]        RuntimeApp and the accessor of its one instance
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/external.h"
#include "runtime/library_types.h"
#include "runtime/memory.h"

namespace horavia::runtime {

// [image] ----------------------------------------------------------------------

// The 13 header fields, in order; addresses are pointer-sized.
struct ImageHeader {
  std::uint32_t runMode = 3;
  std::uint32_t reserved = 0;
  std::uint32_t buildValue = 0x10C55;
  std::uintptr_t codeBase = 0;            // added to every handler offset
  const void* constantStart = nullptr;
  std::uint32_t constantLength = 0;
  const std::uint8_t* formStart = nullptr;
  std::uint32_t formLength = 0;
  std::uint32_t libraryCount = 0;
  const LibraryInfo* const* libraries = nullptr;
  std::uint32_t externalCount = 0;
  const char* const* externalLibraryNames = nullptr;
  const char* const* externalFunctionNames = nullptr;
};

// [windows] --------------------------------------------------------------------

// A unit's rectangle: a child unit's in its parent's client area, a window's
// on the screen (frame included).
struct UnitRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const UnitRect&, const UnitRect&) = default;
};

// What the runtime needs from the window engine. Until one is installed the
// runtime has no windows: loading fails, lookups find nothing and pumping
// does nothing.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // Reads the form block into the form table; false when it is malformed.
  virtual bool loadForms(const std::uint8_t* block, std::uint32_t length, std::uintptr_t codeBase) = 0;
  virtual bool loadStartWindow(std::uint32_t formId) = 0;
  virtual bool loadWindow(const struct LoadWindowRequest& request) = 0;
  virtual void runMessageLoop() = 0;
  virtual bool anyWindowLive() const = 0;
  virtual void* findUnit(std::uint32_t formId, std::uint32_t unitId) = 0;
  virtual void* loadedForms() = 0;
  virtual void unitDestroyed(std::uint32_t formId, std::uint32_t unitId) = 0;
  virtual std::int32_t raiseEvent(struct PlainEventRecord& record) = 0;
  virtual std::int32_t raiseTypedEvent(struct TypedEventRecord& record) = 0;
  virtual void pumpPending() = 0;
  virtual void defaultIcons(void* twoWords) = 0;
  virtual void* pictureToBitmap(const void* bytes, std::intptr_t size) = 0;
  virtual void destroyAllWindows() = 0;
  // Entries 4 and 5: properties by number.
  virtual std::uint64_t readProperty(std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                                     std::int32_t subIndex) = 0;
  virtual void writeProperty(std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                             std::int32_t subIndex, std::uint32_t low, std::uint32_t high) = 0;
  // Asks the main thread to end the program (called from another thread).
  virtual void forwardExit(int code) = 0;
  // Whether the program is ending: the main loop has been asked to quit.
  virtual bool quitting() const { return false; }

  // What the window and unit commands ask of the engine. The defaults answer
  // as if nothing were live.
  // (form id, unit id) of the unit whose event is being handled; the form id
  // is 0 once that handler has returned.
  virtual std::pair<std::uint32_t, std::uint32_t> currentEventSource() const { return {0, 0}; }
  // Pops up the submenu below a menu item at the mouse + (3, 3), or at the
  // given screen coordinates (null: not given).
  virtual void popUpMenu(std::uint32_t /*formId*/, std::uint32_t /*itemId*/, const int* /*x*/, const int* /*y*/) {}
  // The area of every pixel not of `colour`, at `percent` of the picture's
  // size, becomes the window's shape; false when no region results or the
  // window is not live.
  virtual bool shapeWindowFromPicture(std::uint32_t /*formId*/, const std::uint8_t* /*bytes*/, std::size_t /*size*/,
                                      std::uint32_t /*colour*/, int /*percent*/) {
    return false;
  }
  // Closes the window now, or after the current event (a posted request).
  virtual void closeWindow(std::uint32_t /*formId*/, bool /*atOnce*/) {}
  // Destroys a unit's window; a unit without child windows leaves the form.
  virtual void destroyUnit(std::uint32_t /*formId*/, std::uint32_t /*unitId*/) {}
  // A new live unit copying the source's description, behind it; its id, or 0.
  virtual std::uint32_t copyUnit(std::uint32_t /*formId*/, std::uint32_t /*sourceUnitId*/) { return 0; }
  // The rectangle of a live window or unit; nothing when it is not live.
  virtual std::optional<UnitRect> unitRect(std::uint32_t /*formId*/, std::uint32_t /*unitId*/) {
    return std::nullopt;
  }
  // Moves and sizes a live window or unit to `rect`, repainting it.
  virtual void moveUnit(std::uint32_t /*formId*/, std::uint32_t /*unitId*/, const UnitRect& /*rect*/) {}
  // The items of a live list-like unit whose type is `type` (a list box or a
  // combo box): appending one with its item data (its index, or -1), their
  // number, and the text of one (nothing outside 0 .. count - 1). A unit of
  // another type has no items.
  virtual std::int32_t addListItem(std::uint32_t /*formId*/, std::uint32_t /*unitId*/, TypeTag /*type*/,
                                   std::string_view /*text*/, std::int32_t /*itemData*/) {
    return -1;
  }
  virtual std::int32_t listItemCount(std::uint32_t /*formId*/, std::uint32_t /*unitId*/, TypeTag /*type*/) {
    return 0;
  }
  virtual std::optional<std::string> listItemText(std::uint32_t /*formId*/, std::uint32_t /*unitId*/,
                                                  TypeTag /*type*/, std::int32_t /*index*/) {
    return std::nullopt;
  }
  // Draw panels, in device pixels of the panel's client area: its size (a
  // rectangle at 0, 0; nothing when the unit is not a live draw panel),
  // repainting an area with its background (the area's top-left becomes the
  // current drawing position), painting a gradient (mode 1-8, colours
  // 0x00BBGGRR) and copying an area to a target panel at (x, y) with a copy
  // mode (1-5). Each draws on the panel's window and on its kept picture.
  virtual std::optional<UnitRect> drawPanelClient(std::uint32_t /*formId*/, std::uint32_t /*unitId*/) {
    return std::nullopt;
  }
  virtual void clearDrawPanel(std::uint32_t /*formId*/, std::uint32_t /*unitId*/, const UnitRect& /*area*/) {}
  virtual void fillDrawPanelGradient(std::uint32_t /*formId*/, std::uint32_t /*unitId*/, const UnitRect& /*area*/,
                                     std::int32_t /*mode*/, std::span<const std::uint32_t> /*colours*/) {}
  virtual void copyDrawPanelArea(std::uint32_t /*formId*/, std::uint32_t /*sourceId*/, const UnitRect& /*area*/,
                                 std::uint32_t /*targetFormId*/, std::uint32_t /*targetId*/, std::int32_t /*x*/,
                                 std::int32_t /*y*/, std::int32_t /*mode*/) {}
};

// [app] -----------------------------------------------------------------------

using CleanupRoutine = void (*)();
// An installed error handler takes (code, message) and returns non-zero when
// it has dealt with the error, so no box is shown.
using ErrorHandler = int (*)(int code, const char* message);

class RuntimeApp {
 public:
  RuntimeApp();
  RuntimeApp(const RuntimeApp&) = delete;
  RuntimeApp& operator=(const RuntimeApp&) = delete;

  // The program folder comes from the executable's path (runtime text, code
  // page 936, with a trailing backslash) before the image is initialised.
  void setProgramPath(const std::string& hostExecutablePath);
  void setImage(const ImageHeader* header) { header_ = header; }

  // Service 6: heap, folder, helper state, constants, externals, libraries,
  // forms, in that order.
  void initializeImage();
  bool imageInitialized() const { return initialized_; }

  // Entry 9 and the end of every path: the shutdown sequence, then the exit.
  [[noreturn]] void exitProgram(int code);
  // The shutdown sequence alone (destroy windows, clean-up, notify 6,
  // release modules), run at most once.
  void shutdown();
  [[noreturn]] void fatal(std::string_view message, int code);

  void registerCleanup(CleanupRoutine routine) { cleanup_ = routine; }
  void setErrorHandler(ErrorHandler handler) { errorHandler_ = handler; }

  // Events are delivered only while the counter is 0.
  void blockEvents() { ++eventsBlocked_; }
  void unblockEvents() {
    if (eventsBlocked_ > 0) --eventsBlocked_;
  }
  int eventsBlocked() const { return eventsBlocked_; }

  Heap& heap() { return heap_; }
  ExternalTable& externals() { return externals_; }
  const std::string& programFolder() const { return folderWithSlash_; }  // "…\"
  const std::string& programDirectory() const { return directory_; }    // no trailing "\"
  const std::string& programFileName() const { return fileName_; }
  std::uint32_t runMode() const { return runMode_; }
  const ImageHeader* image() const { return header_; }

  // Library table and per-library state words.
  int libraryCount() const { return static_cast<int>(libraries_.size()); }
  const LibraryInfo* library(int number) const;  // 1-based
  const DataTypeInfo* typeRecord(TypeTag tag) const;

  // The window engine, owned by the runtime object from here on.
  void setWindowHost(std::unique_ptr<WindowHost> host);
  WindowHost* windowHost() const { return windows_.get(); }
  void setMessageLoopRunning() { loopRunning_ = true; }
  bool messageLoopRunning() const { return loopRunning_; }
  bool shuttingDown() const { return shuttingDown_; }

  // The service routine handed to every library.
  static std::intptr_t Service(std::int32_t code, std::intptr_t v1, std::intptr_t v2);

  // Returns the object to its state before initializeImage (tests only).
  void resetForTests();

 private:
  const ImageHeader* header_ = nullptr;
  bool initialized_ = false;
  std::uint32_t runMode_ = 0;
  std::string directory_, fileName_, folderWithSlash_;
  Heap heap_;
  ExternalTable externals_;
  std::vector<const LibraryInfo*> libraries_;
  std::vector<std::uint32_t> libraryStates_;
  CleanupRoutine cleanup_ = nullptr;
  ErrorHandler errorHandler_ = nullptr;
  bool inErrorHandler_ = false;
  int eventsBlocked_ = 0;
  std::unique_ptr<WindowHost> windows_;
  bool loopRunning_ = false;
  bool shuttingDown_ = false;
  bool shutdownDone_ = false;
  unsigned long mainThread_ = 0;
};

// The one runtime application object of the process.
RuntimeApp& Runtime();

}  // namespace horavia::runtime
