#include "i18n/texts.h"

namespace kobalin {

using namespace std::string_view_literals;

// Danish texts, base 6000.
constexpr TextTable kDanishTexts = [] {
    TextTable t{};
    t[0] = u"OK"sv;
    t[1] = u"Afbryd"sv;
    t[2] = u">> Forts\u00E6t"sv;
    t[3] = u"<< Tilbage"sv;
    t[12] = u"Genstart programmet for at aktivere det valgte sprog."sv;
    t[13] = u"Velkommen til guiden til oprettelse af lagfilen til MC1"sv;
    t[14] =
        u"F\u00F8lg trinnene for at v\u00E6lge de rigtige lag, fastl\u00E6gge v\u00E6rdierne og tilf\u00F8je dem til lagfilen."sv;
    t[15] = u"V\u00E6lg >> for at g\u00E5 videre til n\u00E6ste trin."sv;
    t[16] = u"V\u00E6lg referencefilen"sv;
    t[17] = u"V\u00E6lg referencemodellen (projektet), der skal bruges sammen med lagfilen"sv;
    t[18] = u"Klik her for at v\u00E6lge fil"sv;
    t[19] = u"Tilf\u00F8j lag"sv;
    t[20] =
        u"Tilf\u00F8j nye lag ved at oprette dem eller v\u00E6lge dem fra skabelonlisten.\nTr\u00E6strukturen viser de lag, der allerede er tilf\u00F8jet. Der skal oprettes mindst 2 lag!"sv;
    t[21] = u"Tilf\u00F8j kommentar"sv;
    t[22] =
        u"Der kan tilf\u00F8jes op til tre kommentarlinjer til lagfilen. Kommentarerne er valgfrie. Skriv \u00E9n linje ad gangen, og tryk p\u00E5 det gr\u00F8nne + for at tilf\u00F8je. (maks. 3 linjer)"sv;
    t[23] = u"Rediger kommentar eller lag"sv;
    t[24] = u"Fjern kommentar eller lag"sv;
    t[25] = u"Gem laget som skabelon"sv;
    t[26] = u"Rediger kommentarlinjer"sv;
    t[27] = u"Rediger kommentarlinjen, og v\u00E6lg OK for at gemme"sv;
    t[28] = u"Tilf\u00F8j et nyt lag ved at udfylde felterne nedenfor"sv;
    t[29] = u"Tilf\u00F8j lag"sv;
    t[30] = u"Lagnavn"sv;
    t[31] = u"Offset (m)"sv;
    t[32] = u"Overk\u00F8rsler, m\u00E5l #"sv;
    t[33] = u"Overk\u00F8rsler, tolerance"sv;
    t[34] = u"M\u00E5lhastighed km/t"sv;
    t[35] = u"Hastighed, tolerance"sv;
    t[36] = u"CMV-m\u00E5l"sv;
    t[37] = u"Nyt lag"sv;
    t[38] = u"Gem lagfilen"sv;
    t[39] = u"Lagfilen gemmes automatisk samme sted som referencefilen\n Programmet kan nu lukkes"sv;
    t[40] = u"Afslut"sv;
    t[41] = u"Lagfilen kunne ikke oprettes. Pr\u00F8v igen"sv;
    t[42] = u"Lagfilen er oprettet: "sv;
    t[43] = u"Fejl ved valg. Mark\u00E9r f\u00F8rst, og klik derefter med h\u00F8jre museknap"sv;
    t[44] =
        u"Det st\u00F8rste antal lag i skabelonlageret er n\u00E5et\nReducer antallet af lag ved at rydde op i skabelonfilen og\nslette ubrugte lag"sv;
    t[45] = u"Laget er tilf\u00F8jet til skabelonfilen: "sv;
    t[46] = u"Fjern laget fra skabelonlisten"sv;
    t[47] = u"Overskriv redigeret lag i skabelonlisten"sv;
    t[48] = u"Laget er gemt i skabelonfilen "sv;
    t[49] = u"Mark\u00E9r og h\u00F8jreklik for flere muligheder"sv;
    t[50] = u"Det valgte lag er fjernet fra skabelonlisten"sv;
    t[51] = u"Knyt lagfilen til den valgte model"sv;
    t[52] = u"Der er to eller flere lag med samme offset!"sv;
    t[53] =
        u"Punktum (.) og komma (,) er ikke tilladt i lagnavne.\nLagnavnet er afkortet. Brug Rediger for at omd\u00F8be laget, hvis det er n\u00F8dvendigt."sv;
    t[54] = u"\u00C5bn en lagfil"sv;
    t[55] = u"Lagfilen er indl\u00E6st: "sv;
    t[56] = u"Filen kan ikke l\u00E6ses som en lagfil. Intet er \u00E6ndret. F\u00F8rste linje med fejl: "sv;
    t[57] = u"De kommentarlinjer og lag, der er indtastet indtil nu, bliver erstattet. Forts\u00E6t?"sv;
    t[58] = u"Filen kan ikke \u00E5bnes, er for stor eller er ikke en almindelig fil. Intet er \u00E6ndret: "sv;
    t[59] = u"Ja"sv;
    t[60] = u"Nej"sv;
    t[61] = u"Lagfil (*.csv)"sv;
    t[62] = u"Alle filer (*)"sv;
    t[63] = u"%1 felter, en lagfil har 7"sv;
    t[64] = u"ikke overskriften p\u00E5 en lagfil"sv;
    t[65] = u"hverken en kommentarlinje (\"# \" og dens tekst) eller kolonnenavnene"sv;
    t[66] = u"ikke kolonnenavnene, som f\u00F8lger efter h\u00F8jst tre kommentarlinjer"sv;
    t[67] = u"filen slutter f\u00F8r kolonnenavnene"sv;
    t[68] = u"\"%1\" er ikke et tal med decimalpunktum"sv;
    t[69] = u"\"%1\" er ikke et heltal fra 0 til 100"sv;
    t[70] = u"mere end 999 lag"sv;
    t[71] = u"en tom r\u00E6kke f\u00F8r det sidste lag"sv;
    t[72] = u"indeholder \uFFFD, et tegn, der gik tabt, da filen engang blev gemt i et andet tegns\u00E6t"sv;
    t[73] = u"ikke UTF-8-tekst, selvom filen begynder med UTF-8-m\u00E6rket"sv;
    t[74] = u"l\u00E6ngere end 255 tegn"sv;
    t[75] = u"indeholder et kontroltegn"sv;
    t[76] = u"indeholder \";\", som et lagnavn eller en kommentarlinje ikke kan indeholde"sv;
    t[77] =
        u"Linjer, som n\u00E6ste skrivning \u00E6ndrer: %2, den f\u00F8rste er linje %1 (v\u00E6rdier f\u00E5r to decimaler, navne slutter f\u00F8r \".\" eller \",\", tegn, som lagfilen ikke kan indeholde, bliver til \"?\")."sv;
    t[78] =
        u"Linjer med en v\u00E6rdi, som intet komprimeringslag har: %2, den f\u00F8rste er linje %1 (offset ligger normalt inden for -10 \u2026 +10 m, m\u00E5lhastighed inden for 0.5 \u2026 30 km/t). Kontroll\u00E9r dem, f\u00F8r filen skrives."sv;
    t[79] = u"Tv\u00E6rsnit af lagene"sv;
    t[80] = u"Us\u00E6dvanlig offset: uden for -10 til +10 m"sv;
    t[81] = u"Us\u00E6dvanlig m\u00E5lhastighed: uden for 0.5 til 30 km/t"sv;
    t[82] = u"Gem som PDF\u2026"sv;
    t[83] = u"Lagarket kunne ikke gemmes: "sv;
    t[84] = u"Lagarket er gemt: "sv;
    t[85] = u"Lagark"sv;
    t[86] = u"Referencemodel: "sv;
    t[87] = u"Lagfil: "sv;
    t[88] = u"Dato: "sv;
    t[89] = u"ens offset"sv;
    t[90] = u"overk\u00F8rsler"sv;
    t[91] = u"Ingen lag endnu"sv;
    t[92] =
        u"Bogstaver og tegn ud over A til Z, som \"\u00F8\" eller \"\u2013\", blev l\u00E6st i tegns\u00E6ttet %1. Kontroll\u00E9r dem, f\u00F8r filen skrives."sv;
    t[100] =
        u"Arbejde, hvis lagfil endnu ikke var oprettet, blev gemt den %1 kl. %2 (lag: %3, kommentarlinjer: %4). Gendan det?"sv;
    t[101] = u"Gemt arbejde, der ikke blev tilbudt, eller som ikke kan l\u00E6ses, er lagt til side:"sv;
    t[102] = u"Filen, der blev erstattet, havde et andet indhold; en kopi af den fil er gemt: "sv;
    t[103] = u"Filen, der blev erstattet, havde et andet indhold, og der kunne ikke gemmes en kopi af den i: "sv;
    t[104] =
        u"Det indtastede arbejde kan ikke gemmes til en genstart efter et nedbrud eller en str\u00F8mafbrydelse. Kontroll\u00E9r denne mappe: "sv;
    t[110] = u"Tykkelse (m)"sv;
    t[150] = u"%1: \"%2\" er ikke et gyldigt tal"sv;
    t[151] = u"%1: \"%2\" er skrevet med decimalkomma. Brug punktum (.) som decimaltegn: %3"sv;
    t[152] = u"Filen kunne ikke skrives: %1\n%2"sv;
    t[153] = u"Indstillingerne kunne ikke gemmes i %1:\n%2"sv;
    t[154] = u"Indstillingen \"%1\" har en v\u00E6rdi af forkert type"sv;
    return t;
}();

}  // namespace kobalin
