#include "live/overlay_page.h"

#include <QCryptographicHash>
#include <QByteArray>
#include <string>

#include "live/overlay_assets.h"  // generated: kOverlayHtml, kOverlayScript

namespace horavia::live {
namespace {

std::string Page() {
  std::string page(kOverlayHtml);
  constexpr std::string_view kSlot = "{{script}}";
  page.replace(page.find(kSlot), kSlot.size(), kOverlayScript);
  return page;
}

// The script runs because its hash is named, not because inline scripts
// may run: nothing injected into the page could.
std::string ContentSecurityPolicy() {
  const QByteArray hash = QCryptographicHash::hash(
      QByteArray(kOverlayScript.data(), static_cast<qsizetype>(kOverlayScript.size())), QCryptographicHash::Sha256);
  return "default-src 'none'; script-src 'sha256-" + hash.toBase64().toStdString() +
         "'; connect-src 'self'; base-uri 'none'; form-action 'none'; frame-ancestors 'self'";
}

}  // namespace

HttpResponse OverlayPageResponse() {
  static const std::string page = Page();
  static const std::string policy = ContentSecurityPolicy();
  return {Status::Ok, "text/html; charset=utf-8", {{"Content-Security-Policy", policy}}, page};
}

}  // namespace horavia::live
