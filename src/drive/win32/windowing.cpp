// The Windows driver runs the program on real windows when a desktop
// exists (under Wine: an X display), else on the headless toolkit.
#include "drive/Windowing.h"
#include "platform/win32/com.h"
#include "platform/win32/handles.h"
#include "ui/win32/Win32Gui.h"
#include "ui/headless/HeadlessGui.h"

#include "platform/win32/utf16.h"

#include <windows.h>
#include <commctrl.h>
#include <wincodec.h>

#include <iostream>
#include <string>
#include <vector>

namespace orr::drive {
namespace {

using platform::win32::ComApartment;
using DeviceContext = platform::win32::Owned<HDC, DeleteDC>;
using Bitmap = platform::win32::Owned<HBITMAP, DeleteObject>;


// A COM interface pointer, released when it goes out of scope.
template <typename T>
class Com {
public:
    Com() = default;
    ~Com() {
        if (p_) p_->Release();
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    T* operator->() const { return p_; }
    T** out() { return &p_; }
    T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

using platform::win32::wide;

// `bgr` rows from the top, 3 bytes a pixel, as a PNG file through the
// system's own encoder (WIC).
bool writePng(const std::string& file, UINT width, UINT height, std::vector<BYTE>& bgr) {
    Com<IWICImagingFactory> factory;
    Com<IWICStream> stream;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    const UINT stride = width * 3;
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(factory.out()))) &&
           SUCCEEDED(factory->CreateStream(stream.out())) &&
           SUCCEEDED(stream->InitializeFromFilename(wide(file).c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) &&
           SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.out(), nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
           SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
           IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
           SUCCEEDED(frame->WritePixels(height, stride, stride * height, bgr.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

// The window as it shows now: painted afresh, then copied from its own
// device context, frame included where Wine draws the frame itself (an
// unmanaged window, see cmake/wine-prefix). PrintWindow would not do:
// Wine's draws neither the frame nor the child windows.
bool captureWindow(HWND hwnd, const std::string& file, std::string& why) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r;
    GetWindowRect(hwnd, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) {
        why = "the window has no size";
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    DeviceContext memory(CreateCompatibleDC(nullptr));
    Bitmap bitmap(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory.get() || !bitmap.get() || !bits) {
        why = "no memory for the image";
        return false;
    }
    HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    HDC window = GetWindowDC(hwnd);
    BOOL copied = BitBlt(memory.get(), 0, 0, width, height, window, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, window);
    GdiFlush();
    SelectObject(memory.get(), old);
    if (!copied) {
        why = "the window could not be copied";
        return false;
    }
    const auto* pixels = static_cast<const BYTE*>(bits);
    std::vector<BYTE> bgr(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i) {
        bgr[i * 3] = pixels[i * 4];
        bgr[i * 3 + 1] = pixels[i * 4 + 1];
        bgr[i * 3 + 2] = pixels[i * 4 + 2];
    }
    if (!writePng(file, static_cast<UINT>(width), static_cast<UINT>(height), bgr)) {
        why = "cannot write " + file;
        return false;
    }
    return true;
}

class RealWindows final : public Windowing {
public:
    ui::Gui& gui() override { return gui_; }
    bool capture(const ui::Form& form, const std::string& file, std::string& why) override {
        HWND hwnd = reinterpret_cast<HWND>(form.hWnd());
        if (!hwnd || !IsWindowVisible(hwnd)) {
            why = "the form shows no window";
            return false;
        }
        return captureWindow(hwnd, file, why);
    }

private:
    ComApartment com_;
    ui::Win32Gui gui_{ui::EndAction::unwind};
};

class Headless final : public Windowing {
public:
    ui::Gui& gui() override { return gui_; }
    bool capture(const ui::Form&, const std::string&, std::string& why) override {
        why = "no desktop";
        return false;
    }

private:
    ComApartment com_;
    ui::HeadlessGui gui_;
};

}  // namespace

std::unique_ptr<Windowing> makeWindowing() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (ui::Win32Gui::available()) return std::make_unique<RealWindows>();
    std::cerr << "orrindale-drive: no desktop to show windows on; the forms run without windows\n";
    return std::make_unique<Headless>();
}

}  // namespace orr::drive
