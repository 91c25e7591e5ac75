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
    t[111] = u"Lagtabel..."sv;
    t[112] = u"Lagtabel"sv;
    t[113] = u"Opret udl\u00E6gningslag..."sv;
    t[114] = u"Fjern r\u00E6kker"sv;
    t[115] = u"Kass\u00E9r \u00E6ndringerne i tabellen?"sv;
    t[116] = u"Intet blev indsat, tabellen er u\u00E6ndret:"sv;
    t[117] = u"R\u00E6kke %1"sv;
    t[118] = u"De indsatte tal bruger \",\" som decimaltegn og blev l\u00E6st med det."sv;
    t[119] =
        u"De indsatte tal blander \",\" og \".\" som decimaltegn. Intet blev indsat. F\u00F8rste celle med det andet tegn: "sv;
    t[120] = u"%1 v\u00E6rdier, fra den aktuelle kolonne og frem har tabellen plads til %2"sv;
    t[121] = u"Det ville give %1 lag; tabellen kan h\u00F8jst rumme 999."sv;
    t[122] = u"tom"sv;
    t[123] = u"En celle er fejlagtig; ret den, f\u00F8r tabellen overtages: "sv;
    t[124] = u"Opret udl\u00E6gningslag"sv;
    t[125] = u"Offset for fladen, som udl\u00E6gningslagene bygges p\u00E5 (m)"sv;
    t[126] = u"Offset for oversiden af det sidste udl\u00E6gningslag (m)"sv;
    t[127] = u"Tykkelse pr. udl\u00E6gningslag (m)"sv;
    t[128] = u"Oversiden af det sidste udl\u00E6gningslag skal ligge over fladen."sv;
    t[129] =
        u"Tykkelsen skal v\u00E6re st\u00F8rre end 0 m og dele h\u00F8jden fra fladen til oversiden (%1 m) i hele udl\u00E6gningslag."sv;
    t[130] = u"%1 m tykt"sv;
    t[131] = u"Udarbejdet af"sv;
    t[132] = u"Kontrolleret af"sv;
    t[133] = u"Navn: "sv;
    t[134] = u"Underskrift: "sv;
    t[140] = u"Eksport\u00E9r skabeloner..."sv;
    t[141] = u"Import\u00E9r skabeloner..."sv;
    t[142] = u"Skabelonlisten er tom: der er intet at eksportere."sv;
    t[143] = u"Skabelonerne er eksporteret: "sv;
    t[144] = u"Skabelonerne kunne ikke eksporteres: "sv;
    t[145] =
        u"Denne skabelon indeholder en v\u00E6rdi, som en lagfil ikke kan indeholde, s\u00E5 intet blev eksporteret. Ret den, eller fjern den fra skabelonlisten f\u00F8rst: "sv;
    t[146] =
        u"Skabelonlisten har %1 lag, og denne fil ville tilf\u00F8je %2 nye, flere end de 100, som skabelonlisten kan rumme. Intet blev importeret."sv;
    t[147] =
        u"Disse lagnavne findes allerede i skabelonlisten: %1\n\nJa: overskriv dem med v\u00E6rdierne fra filen.\nNej: behold dem, som de er, og tilf\u00F8j kun de nye navne."sv;
    t[148] = u"Skabeloner importeret: %1 tilf\u00F8jet, %2 overskrevet."sv;
    t[149] =
        u"Skabelonlisten blev \u00E6ndret i mellemtiden af en anden kopi af programmet. Intet blev importeret; import\u00E9r filen igen."sv;
    t[150] = u"%1: \"%2\" er ikke et gyldigt tal"sv;
    t[151] = u"%1: \"%2\" er skrevet med decimalkomma. Brug punktum (.) som decimaltegn: %3"sv;
    t[152] = u"Filen kunne ikke skrives: %1\n%2"sv;
    t[153] = u"Indstillingerne kunne ikke gemmes i %1:\n%2"sv;
    t[154] = u"Indstillingen \"%1\" har en v\u00E6rdi af forkert type"sv;
    return t;
}();

}  // namespace kobalin
