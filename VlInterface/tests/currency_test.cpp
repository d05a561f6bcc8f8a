// A project's price currency and prices through every way of opening it and
// through Settings OK, then Save and a reopen: built into the tests of both
// editions, so that the extended edition, which offers only the euro price
// list for new choices, is held to the same.
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/window_fixture.h"
#include "Kadmi/kadmi.h"
#include "support/app.h"
#include <string>
#include <vector>

namespace {

constexpr short Att_PriceCurrency = 1132, Att_EnergyPrice = 1361, kAttLayerPrice = 1382;
constexpr float kEnergyPrice = 0.073f, kLayerPrice = 23.96f;
constexpr short kNoPriceList = 7;   // a currency without a price database

class CurrencyTest : public ShellWindowTest {
protected:
    void Command(UINT id) { SendMessageA(window(), WM_COMMAND, id, 0); }

    static void MakePricedProject(const std::string& path, short currency)
    {
        MakeProjectFile(path);
        ASSERT_EQ(Kadmi_OpenDatabasefile(path.c_str()), 0);
        Kadmi_LoadPage(Kadmi_IthPage(0));
        Kadmi_SetIntAtt(-1, Att_PriceCurrency, currency);
        Kadmi_SetFloatAtt(0, Att_EnergyPrice, kEnergyPrice);
        Kadmi_SetFloatAtt(Kadmi_IthPart(0), kAttLayerPrice, kLayerPrice);
        Kadmi_SavePage();
        ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
        ASSERT_EQ(Kadmi_CloseDatabasefile(0), 0);
    }

    // The boxes an open answers: the currency's note when it has no prices.
    static std::vector<BoxAnswer> OpenAnswers(std::vector<BoxAnswer> answers, short currency)
    {
        if (currency == kNoPriceList)
            answers.push_back({IDOK, ""});
        return answers;
    }

    static size_t CurrencyNotes(const ScriptedBoxes& boxes)
    {
        size_t notes = 0;
        for (const std::string& text : boxes.texts)
            notes += text.find(Shell_Text(Text_CurrencyWithoutPrices)) != std::string::npos;
        return notes;
    }
};

enum class Way { CommandLine, FileOpen, RecentFile, SettingsOk };

TEST_F(CurrencyTest, EveryWayOfOpeningAndSettingsOkKeepTheCurrencyThroughSave)
{
    const struct {
        const char* name;
        Way way;
    } ways[] = {{"command line", Way::CommandLine}, {"File > Open", Way::FileOpen},
                {"recent file", Way::RecentFile}, {"Settings OK", Way::SettingsOk}};
    const struct {
        const char* name;
        short currency;
    } currencies[] = {{"EUR", 0}, {"SEK", 1}, {"PLN", 2}, {"no price list", kNoPriceList}};
    auto pathOf = [&](const auto& way, const auto& currency) {
        return TempPath(("way" + std::to_string(int(way.way)) + " " + currency.name + ".WDF").c_str());
    };
    for (const auto& way : ways)
        for (const auto& currency : currencies)
            MakePricedProject(pathOf(way, currency), currency.currency);
    Start();
    for (const auto& way : ways) {
        for (const auto& currency : currencies) {
            SCOPED_TRACE(std::string(way.name) + ", " + currency.name);
            const std::string path = pathOf(way, currency);
            {
                std::vector<BoxAnswer> answers;
                if (way.way == Way::FileOpen)
                    answers.push_back({IDOK, path});
                ScriptedBoxes boxes(OpenAnswers(answers, currency.currency));
                if (way.way == Way::FileOpen)
                    Command(IDM_FILE_OPEN);
                else if (way.way == Way::RecentFile) {
                    RecentFiles_Add(nullptr, path.c_str());
                    Command(IDM_RECENT_FIRST);
                } else {
                    Restart(path.c_str());
                }
                EXPECT_EQ(boxes.unexpected, 0u);
                EXPECT_EQ(CurrencyNotes(boxes), currency.currency == kNoPriceList ? 1u : 0u);
            }
            ASSERT_STREQ(App().currentFile, path.c_str());
            if (way.way == Way::SettingsOk) {
                ScriptedBoxes settings({{IDOK, ""}});
                Command(IDM_SETTINGS);
                EXPECT_EQ(settings.answered(), 1u);
            }
            EXPECT_EQ(Kadmi_GetIntAtt(-1, Att_PriceCurrency), currency.currency) << "before Save";
            Command(IDM_FILE_SAVE);
            {
                ScriptedBoxes reopen(OpenAnswers({}, currency.currency));
                Restart(path.c_str());
            }
            EXPECT_EQ(Kadmi_GetIntAtt(-1, Att_PriceCurrency), currency.currency) << "after Save";
            EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(0, Att_EnergyPrice), kEnergyPrice);
            EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(Shell().layerParts[0], kAttLayerPrice), kLayerPrice);
        }
    }
}

}  // namespace
