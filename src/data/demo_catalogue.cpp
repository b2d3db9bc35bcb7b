#include "data/demo_catalogue.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace demo {

const std::vector<City> &cities()
{
    static const std::vector<City> list = {
        {"Ústí nad Labem", 40001, true, "47"}, {"Děčín", 40502, true, "41"},
        {"Teplice", 41501, true, "41"},        {"Most", 43401, true, "47"},
        {"Chomutov", 43001, true, "47"},       {"Litoměřice", 41201, true, "41"},
        {"Louny", 44001, true, "41"},          {"Roudnice nad Labem", 41301, true, "41"},
        {"Lovosice", 41002, true, "41"},       {"Bílina", 41801, true, "41"},
        {"Praha 2", 12000, false, "22"},       {"Praha 4", 14000, false, "24"},
        {"Praha 5", 15000, false, "25"},       {"Praha 9", 19000, false, "28"},
        {"Brno", 60200, false, "54"},          {"Plzeň", 30100, false, "37"},
        {"Liberec", 46001, false, "48"},       {"Ostrava", 70200, false, "59"},
        {"Olomouc", 77900, false, "58"},       {"Hradec Králové", 50002, false, "49"},
        {"Pardubice", 53002, false, "46"},     {"České Budějovice", 37001, false, "38"},
        {"Kladno", 27201, false, "31"},        {"Mladá Boleslav", 29301, false, "32"},
        {"Karlovy Vary", 36001, false, "35"},  {"Jablonec nad Nisou", 46601, false, "48"},
        {"Česká Lípa", 47001, false, "48"},    {"Mělník", 27601, false, "31"},
    };
    return list;
}

const std::vector<QString> &streets()
{
    static const std::vector<QString> list = {
        "Masarykova", "Palackého",  "Husova",     "Komenského", "Nádražní", "Školní",
        "Zahradní",   "Sokolská",   "Žižkova",    "Jiráskova",  "Tyršova",  "Havlíčkova",
        "Smetanova",  "Dvořákova",  "Revoluční",  "Krátká",     "Polní",    "Luční",
        "U Nádraží",  "Na Výsluní", "Průmyslová", "Pražská",    "Lidická",  "Mírová",
        "Nerudova",   "Družstevní", "Zámecká",    "Hrbovická"};
    return list;
}

const std::vector<Person> &men()
{
    static const std::vector<Person> list = {
        {"Jan", "Novák"},       {"Petr", "Svoboda"},      {"Josef", "Novotný"},
        {"Pavel", "Dvořák"},    {"Martin", "Černý"},      {"Tomáš", "Procházka"},
        {"Jaroslav", "Kučera"}, {"Miroslav", "Veselý"},   {"Zdeněk", "Horák"},
        {"Václav", "Němec"},    {"Michal", "Pokorný"},    {"Karel", "Marek"},
        {"Jiří", "Pospíšil"},   {"Lukáš", "Hájek"},       {"Milan", "Jelínek"},
        {"David", "Král"},      {"Jakub", "Růžička"},     {"Roman", "Beneš"},
        {"Radek", "Fiala"},     {"Vladimír", "Sedláček"}, {"Stanislav", "Doležal"},
        {"Ondřej", "Zeman"},    {"Aleš", "Kolář"},        {"Libor", "Navrátil"}};
    return list;
}

const std::vector<Person> &women()
{
    static const std::vector<Person> list = {
        {"Jana", "Nováková"},     {"Eva", "Svobodová"},   {"Hana", "Novotná"},
        {"Anna", "Dvořáková"},    {"Lenka", "Černá"},     {"Kateřina", "Procházková"},
        {"Lucie", "Kučerová"},    {"Věra", "Veselá"},     {"Alena", "Horáková"},
        {"Petra", "Němcová"},     {"Martina", "Pokorná"}, {"Jitka", "Marková"},
        {"Ivana", "Pospíšilová"}, {"Monika", "Hájková"},  {"Zuzana", "Jelínková"},
        {"Markéta", "Králová"}};
    return list;
}

const std::vector<QString> &company_trades()
{
    static const std::vector<QString> list = {
        "Stavebniny", "Elektro",    "Železářství", "Dřevo",  "Autodoprava",     "Izolace",
        "Obklady",    "Kovovýroba", "Instalace",   "Stavby", "Realitní správa", "Okna a dveře"};
    return list;
}

const std::vector<QString> &sole_trader_trades()
{
    static const std::vector<QString> list = {"truhlářství",    "malířství a natěračství",
                                              "instalatérství", "elektroinstalace",
                                              "účetní služby",  "autoservis",
                                              "pokrývačství",   "zámečnictví",
                                              "podlahářství",   "zahradnické služby"};
    return list;
}

const std::vector<ForeignCustomer> &foreign_customers()
{
    static const std::vector<ForeignCustomer> list = {
        {"Müller Bau GmbH", "Dresdner Straße 12", "Pirna", "01796"},
        {"Elbe Handwerk GmbH", "Poisentalstraße 5", "Freital", "01705"},
        {"Schmidt Haustechnik GmbH", "Königsbrücker Straße 48", "Dresden", "01099"},
        {"Weber Bauelemente GmbH", "Bahnhofstraße 3", "Sebnitz", "01855"},
        {"Fischer Fliesen GmbH", "Marktstraße 9", "Bad Schandau", "01814"},
    };
    return list;
}

const std::vector<Bank> &banks()
{
    static const std::vector<Bank> list = {
        {100, "Komerční banka, a.s.", "KOMBCZPP"},
        {300, "Československá obchodní banka, a.s.", "CEKOCZPP"},
        {800, "Česká spořitelna, a.s.", "GIBACZPX"},
        {2010, "Fio banka, a.s.", "FIOBCZPP"},
        {600, "MONETA Money Bank, a.s.", "AGBACZPP"},
        {5500, "Raiffeisenbank a.s.", "RZBCCZPP"},
        {2700, "UniCredit Bank Czech Republic and Slovakia, a.s.", "BACXCZPP"},
        {3030, "Air Bank a.s.", "AIRACZPP"},
    };
    return list;
}

const std::vector<ProductKind> &product_kinds()
{
    static const std::vector<ProductKind> list = {
        {"Cement portlandský", {"CEM II 32,5", "CEM I 42,5"}, "kg", false, 420, 560, 100, 1000},
        {"Hřebík stavební",
         {"60 mm", "80 mm", "100 mm", "120 mm"},
         "ks",
         false,
         40,
         120,
         200,
         2000},
        {"Vrut do dřeva", {"4×40 mm", "5×60 mm", "6×100 mm"}, "ks", false, 80, 350, 100, 1000},
        {"Prkno smrkové", {"25×100 mm", "25×150 mm", "32×200 mm"}, "m", false, 3800, 9500, 10, 120},
        {"Hranol smrkový",
         {"80×80 mm", "100×100 mm", "120×160 mm"},
         "m",
         false,
         9000,
         26000,
         6,
         60},
        {"Kabel CYKY-J", {"3×1,5", "3×2,5", "5×2,5"}, "m", false, 1900, 6200, 10, 100},
        {"Trubka PPR", {"20 mm", "25 mm", "32 mm"}, "m", false, 3500, 7900, 6, 40},
        {"Sádrokartonová deska", {"12,5 mm", "12,5 mm do vlhka"}, "m²", false, 9500, 14500, 10, 80},
        {"Dlažba keramická", {"30×30 cm", "60×60 cm"}, "m²", false, 25000, 69000, 5, 40},
        {"Lepidlo na obklady", {"C1T 25 kg", "C2TE 25 kg"}, "bal", false, 26000, 48000, 2, 20},
        {"Omítka štuková", {"vnitřní 25 kg"}, "bal", false, 18000, 26000, 2, 30},
        {"Barva fasádní bílá", {"akrylátová", "silikonová"}, "l", false, 9000, 16000, 10, 60},
        {"Zásuvka dvojitá", {"bílá", "béžová"}, "ks", false, 8900, 14900, 2, 20},
        {"Žárovka LED", {"E14 5 W", "GU10 6 W", "E27 9 W"}, "ks", false, 4900, 11900, 2, 20},
        {"Silikon sanitární", {"bílý", "transparentní"}, "ks", false, 11900, 17900, 1, 10},
        {"Pytle na suť", {"120 l"}, "bal", false, 8900, 14900, 1, 5},
        {"Zednické práce", {""}, "hod", true, 38000, 55000, 4, 40},
        {"Obkladačské práce", {""}, "hod", true, 42000, 60000, 4, 32},
        {"Elektroinstalační práce", {""}, "hod", true, 45000, 65000, 2, 24},
        {"Instalatérské práce", {""}, "hod", true, 45000, 65000, 2, 24},
        {"Montáž sádrokartonu", {"stěny", "podhledy"}, "m²", true, 25000, 42000, 8, 60},
        {"Doprava materiálu", {"dodávkou"}, "km", true, 2800, 3800, 10, 120},
        {"Odvoz suti", {"kontejner 3 m³", "kontejner 7 m³"}, "ks", true, 390000, 690000, 1, 2},
        {"Revize elektroinstalace", {"byt", "rodinný dům"}, "ks", true, 250000, 450000, 1, 1},
        {"Zaměření a konzultace", {""}, "hod", true, 50000, 90000, 1, 3},
    };
    return list;
}

const std::vector<QString> &issued_invoice_titles()
{
    static const std::vector<QString> list = {
        "Fakturujeme Vám práce dle objednávky č. %2",
        "Rekonstrukce koupelny dle cenové nabídky č. %2",
        "Oprava omítek a malování, zakázka č. %2",
        "Dodávka a montáž sádrokartonových příček",
        "Elektroinstalace v rodinném domě – %1",
        "Pokládka dlažby v kuchyni a chodbě",
        "Výměna rozvodů vody a odpadů",
        "Drobné zednické opravy – %1",
        "Stavební práce dle předávacího protokolu č. %2",
        "Dodávka materiálu dle dodacího listu č. %2",
    };
    return list;
}

const std::vector<QString> &credit_note_titles()
{
    static const std::vector<QString> list = {
        "Dobropis k faktuře č. %1 – vrácený materiál",
        "Dobropis k faktuře č. %1 – sleva za pozdní dokončení",
        "Dobropis k faktuře č. %1 – chybně účtované hodiny",
        "Dobropis k faktuře č. %1 – reklamace",
    };
    return list;
}

const std::vector<EntryKind> &received_invoice_kinds()
{
    static const std::vector<EntryKind> list = {
        {{"Stavební materiál dle dodacího listu č. %2", "Spojovací materiál a nářadí",
          "Obklady a dlažby dle objednávky č. %2", "Řezivo dle dodacího listu č. %2"},
         3,
         false,
         800,
         28000,
         false,
         10},
        {{"Elektroinstalační materiál dle dodacího listu č. %2"}, 3, false, 500, 12000, false, 3},
        {{"Nájem dílny – %1"}, 6, false, 6500, 6500, false, 4},
        {{"Telefon a internet – %1"}, 6, false, 690, 1190, false, 4},
        {{"Elektřina – záloha %1"}, 6, false, 1800, 2600, false, 3},
        {{"Účetní a daňové poradenství – %1"}, 6, false, 1500, 2500, false, 2},
        {{"Pronájem lešení", "Pronájem míchačky a vibrační desky"}, 6, false, 900, 7000, false, 2},
        {{"Servis a oprava dodávky", "Pneumatiky na dodávku"}, 6, false, 2500, 14000, false, 1},
        {{"Pojištění odpovědnosti z podnikání"}, 6, false, 4200, 6800, false, 1},
    };
    return list;
}

const std::vector<EntryKind> &journal_entry_kinds()
{
    static const std::vector<EntryKind> list = {
        {{"Tržba za hotové – drobná oprava", "Tržba za hotové – prodej materiálu",
          "Tržba za hotové – montáž u zákazníka"},
         1,
         true,
         300,
         6000,
         true,
         14},
        {{"Úroky z běžného účtu – %1"}, 2, true, 5, 120, false, 2},
        {{"Náhrada škody od pojišťovny"}, 2, true, 1500, 12000, false, 1},
        {{"Vklad peněz do podnikání"}, 7, true, 5000, 30000, false, 1},
        {{"Výběr z účtu do pokladny"}, transfer_category, false, 3000, 20000, false, 4},
        {{"Stavební materiál za hotové", "Spojovací materiál", "Barvy a ředidla", "Drobné nářadí",
          "Brusivo a řezné kotouče"},
         3,
         false,
         150,
         6000,
         true,
         16},
        {{"Odměna z dohody o provedení práce – %1"}, 4, false, 3000, 10000, false, 2},
        {{"Zdravotní pojištění za zaměstnance – %1", "Sociální pojištění za zaměstnance – %1"},
         5,
         false,
         800,
         2500,
         false,
         2},
        {{"Pohonné hmoty"}, 6, false, 600, 2500, true, 8},
        {{"Parkovné", "Poštovné", "Kancelářské potřeby", "Mycí a čisticí prostředky",
          "Pracovní oděvy a obuv"},
         6,
         false,
         40,
         1500,
         true,
         6},
        {{"Poplatek za vedení účtu – %1"}, 6, false, 90, 250, false, 2},
        {{"Záloha na sociální pojištění OSVČ – %1", "Záloha na zdravotní pojištění OSVČ – %1",
          "Výběr pro osobní potřebu", "Záloha na daň z příjmů"},
         7,
         false,
         2500,
         12000,
         false,
         5},
    };
    return list;
}

const std::vector<EntryKind> &petty_entry_kinds()
{
    static const std::vector<EntryKind> list = {
        {{"Tržba za hotové – drobný prodej materiálu"}, 1, true, 50, 500, true, 4},
        {{"Drobný spojovací materiál", "Brusné papíry"}, 3, false, 30, 400, true, 5},
        {{"Parkovné", "Poštovné", "Kancelářské potřeby"}, 6, false, 20, 300, true, 5},
    };
    return list;
}

double eur_rate(const QDate &day)
{
    // Yearly averages, rounded; the years before and after take the nearest one.
    static const std::map<int, double> averages = {
        {2010, 25.29}, {2011, 24.59}, {2012, 25.14}, {2013, 25.97}, {2014, 27.53}, {2015, 27.28},
        {2016, 27.03}, {2017, 26.33}, {2018, 25.64}, {2019, 25.67}, {2020, 26.44}, {2021, 25.65},
        {2022, 24.56}, {2023, 24.00}, {2024, 25.12}, {2025, 24.70}, {2026, 24.35}};
    const int year = std::clamp(day.year(), averages.begin()->first, averages.rbegin()->first);
    const double phase = 2 * std::numbers::pi * day.dayOfYear() / 365.0 + year;
    const double rate = averages.at(year) + 0.35 * std::sin(phase) + 0.1 * std::sin(5 * phase);
    return std::round(rate * 1000) / 1000;
}

} // namespace demo
