// Opening a device's web page goes through this seam so that tests can record the request
// instead of starting a browser.
#pragma once
#include <string>

namespace kesto {

class WebPageOpener {
public:
    virtual ~WebPageOpener() = default;
    // `url` is GBK; true when the request was handed on.
    virtual bool open(const std::string& url) = 0;
};

#ifdef _WIN32
// The shell's "open" operation in a normal window.
class ShellWebPageOpener : public WebPageOpener {
public:
    bool open(const std::string& url) override;
};
#endif

} // namespace kesto
