// The viewer's toolbar: print, previous and next page, the zoom box and
// close, with the common controls' own images; buttons follow the page shown.
#include "outside/Tordoc32/resource.h"
#include "outside/Tordoc32/viewer.h"

#include <commctrl.h>
#include <algorithm>
#include <string>

namespace {

constexpr int ZoomBoxWidth = 130;
constexpr int ZoomBoxDropHeight = 220;

struct ToolButton {
    int command;
    Caption caption;
    int image;          // index into the loaded images, or I_IMAGENONE
    BYTE style;
};

// Image list offsets after TB_LOADIMAGES of the standard and history images.
struct ImageBases {
    int standard;
    int history;
};

ImageBases LoadImages(HWND toolbar)
{
    ImageBases bases{};
    bases.standard = static_cast<int>(
        SendMessageW(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL)));
    bases.history = static_cast<int>(
        SendMessageW(toolbar, TB_LOADIMAGES, IDB_HIST_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL)));
    return bases;
}

// The toolbar copies the captions as it adds the buttons.
TBBUTTON Button(const ToolButton& tool, const std::wstring& caption)
{
    TBBUTTON button{};
    button.iBitmap = tool.image;
    button.idCommand = tool.command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = tool.style;
    if (tool.style != BTNS_SEP) button.iString = reinterpret_cast<INT_PTR>(caption.c_str());
    return button;
}

// The zoom box sits on a separator as wide as itself.
HWND CreateZoomBox(HWND toolbar, int index)
{
    ViewerGlobals& v = Viewer();
    RECT slot{};
    SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&slot));
    HWND box = CreateWindowExW(0, WC_COMBOBOXW, nullptr,
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
                               slot.left, slot.top, slot.right - slot.left, ZoomBoxDropHeight, toolbar,
                               reinterpret_cast<HMENU>(IDC_ZOOM), v.instance, nullptr);
    if (!box) return nullptr;
    SendMessageW(box, WM_SETFONT, SendMessageW(toolbar, WM_GETFONT, 0, 0), FALSE);
    for (const ZoomChoice& choice : ZoomChoices) {
        std::string text = choice.fit == ZoomFit::WholePage ? v.captions[Caption::WholePage]
                           : choice.fit == ZoomFit::PageWidth ? v.captions[Caption::PageWidth]
                           : std::to_string(choice.percent) + " %";
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Captions_Wide(text).c_str()));
    }
    SendMessageW(box, CB_SETCURSEL, v.zoom, 0);
    // Centre the closed box on the buttons' height.
    RECT boxRect{};
    GetWindowRect(box, &boxRect);
    int top = slot.top + (slot.bottom - slot.top - (boxRect.bottom - boxRect.top)) / 2;
    SetWindowPos(box, nullptr, slot.left, std::max(0, top), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return box;
}

} // namespace

HWND Toolbar_Create(HWND frame)
{
    ViewerGlobals& v = Viewer();
    HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                   WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_TOP,
                                   0, 0, 0, 0, frame, reinterpret_cast<HMENU>(IDC_TOOLBAR), v.instance,
                                   nullptr);
    if (!toolbar) return nullptr;
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ImageBases images = LoadImages(toolbar);
    const ToolButton tools[] = {
        {IDM_PRINT, Caption::Print, images.standard + STD_PRINT, BTNS_AUTOSIZE},
        {0, Caption::Count, 0, BTNS_SEP},
        {IDM_PREVIOUS, Caption::PreviousPage, images.history + HIST_BACK, BTNS_AUTOSIZE},
        {IDM_NEXT, Caption::NextPage, images.history + HIST_FORWARD, BTNS_AUTOSIZE},
        {0, Caption::Count, 0, BTNS_SEP},
        {IDC_ZOOM, Caption::Count, ZoomBoxWidth, BTNS_SEP},
        {0, Caption::Count, 0, BTNS_SEP},
        {IDM_CLOSE, Caption::Close, I_IMAGENONE, BTNS_AUTOSIZE},
    };
    constexpr int ZoomSlot = 5;
    TBBUTTON buttons[std::size(tools)];
    std::wstring captions[std::size(tools)];
    for (size_t i = 0; i < std::size(tools); ++i) {
        if (tools[i].style != BTNS_SEP) captions[i] = Captions_Wide(v.captions[tools[i].caption]);
        buttons[i] = Button(tools[i], captions[i]);
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    v.zoomBox = CreateZoomBox(toolbar, ZoomSlot);
    return v.zoomBox ? toolbar : nullptr;
}

void Toolbar_UpdateButtons()
{
    ViewerGlobals& v = Viewer();
    if (!v.toolbar) return;
    bool hasPrevious = v.page > 0;
    bool hasNext = v.page + 1 < v.report.pages.size();
    SendMessageW(v.toolbar, TB_ENABLEBUTTON, IDM_PREVIOUS, MAKELPARAM(hasPrevious, 0));
    SendMessageW(v.toolbar, TB_ENABLEBUTTON, IDM_NEXT, MAKELPARAM(hasNext, 0));
}
