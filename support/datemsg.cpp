// The messages about date input in English, Finnish and Swedish, and the
// module's choice among them.
#include "support/datemsg.h"
#include "support/app.h"
#include "support/msgbox.h"

namespace {

constexpr int kMessageCount = 4;

struct LanguageMessages {
    char language;
    const char* texts[kMessageCount];
};

constexpr LanguageMessages kMessages[] = {
    {'E', {"Date format is DD.MM.YYYY",
           "Week format is WWYY",
           "Year of date ok?",
           "Yearnumber must has all four digits!"}},
    {'F', {"Päivämäärämuoto on PP.KK.VVVV\r\nEsim: 10.02.1994",
           "Viikkomuoto on VuosiViikko\r\nEsim: 9402\r\nViikko oltava 1..53 ",
           "Onko vuosiluku varmasti oikein?",
           "Vuosiluku annettava täydellisenä\r\nneljällä numerolla!"}},
    {'S', {"Datumformat är DD.MM.ÅÅÅÅ",
           "Veckaformat är ÅÅVV",
           "Är årnumret ok?",
           "År måste givas med alla fyra numret!"}},
};

const LanguageMessages* FindLanguage(char language)
{
    for (const LanguageMessages& messages : kMessages)
        if (messages.language == language)
            return &messages;
    return nullptr;
}

}  // namespace

void Dlg_SetMessageLanguage(char language)
{
    if (!FindLanguage(language)) {
        MsgBox_Info(nullptr, "Warning:Unknown dialog language code!");
        return;
    }
    App().messageLanguage = language;
}

const char* Dlg_GetFormatMessage(int index)
{
    const LanguageMessages* messages = FindLanguage(App().messageLanguage);
    if (!messages || index < 0 || index >= kMessageCount)
        return "";
    return messages->texts[index];
}
