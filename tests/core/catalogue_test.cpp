// The catalogue is the only source of every caption and message the user
// reads, so each text is checked character by character against a table
// typed separately from the one compiled into the program.

#include "app/utf8.h"
#include "i18n/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <string_view>

namespace kobalin {
namespace {

struct Entry {
    std::int32_t id;
    std::u16string_view text;
};

// clang-format off
constexpr Entry kExpected[] = {
    // English
    {1000, u"OK"},
    {1001, u"Abort"},
    {1002, u">> Continue"},
    {1003, u"<< Back"},
    {1012, u"To activate the choosen language, restart the application."},
    {1013, u"Welcome to the wizard for creating the layer file for MC1"},
    {1014, u"Follow the various steps to select the correct layers, determine the values and add them to the layer file."},
    {1015, u"Choose >> to continue to the next step."},
    {1016, u"Choose the reference file"},
    {1017, u"Choose the reference model (design) to be used with the layer file"},
    {1018, u"Click here to choose file"},
    {1019, u"Add layer files"},
    {1020, u"Add new layers by creating or selecting them from the template list.\nThe tree structure contains the already added layers. At least 2 layers must be created!"},
    {1021, u"Add comment"},
    {1022, u"About three lines of comments can be added to the layer file. These comments can optionally be added to the file. Enter these per line and press the green + to add. (max 3 lines)"},
    {1023, u"Edit comment or layer"},
    {1024, u"Remove comment or layer"},
    {1025, u"Add layer to template"},
    {1026, u"Edit comment lines"},
    {1027, u"Edit the comment line and choose OK to save"},
    {1028, u"Add new layer by filling in the fields below"},
    {1029, u"Add Layer"},
    {1030, u"Layer Name"},
    {1031, u"Offset (m)"},
    {1032, u"Passcount Target #"},
    {1033, u"Passcount Tolerance"},
    {1034, u"Targetspeed km/h"},
    {1035, u"Speed Tolerance"},
    {1036, u"CMV Target"},
    {1037, u"New Layer"},
    {1038, u"Save layer file"},
    {1039, u"The layer file is automatically saved in the same location as the reference file\n The application can now be closed"},
    {1040, u"End program"},
    {1041, u"Failed to create the layer file. Try again"},
    {1042, u"The layer file has been created: "},
    {1043, u"Error selecting. Select first and then choose right mouse button"},
    {1044, u"Maximum number of layers in the template storage has been reached\nReduce the number of layers by cleaning up the template file and\ndeleting unused layers"},
    {1045, u"Layer added to template file: "},
    {1046, u"Remove layer from template list"},
    {1047, u"Overwrite edited layer in template list"},
    {1048, u"Layer is saved in template file "},
    {1049, u"Select and right click for more options"},
    {1050, u"Chosen layer has been removed from the template list"},
    {1051, u"Connect layerfile to the specified model"},
    {1052, u"There are two or more layers with the same offset!"},
    {1053, u"Point (.) and Comma (,) are not alowed in layernames.\nThe layername is truncated. Use edit to rename the layer again if needed."},
    {1054, u"Open a layer file"},
    {1055, u"The layer file has been read: "},
    {1056, u"This file cannot be read as a layer file. Nothing was changed. First line in error: "},
    {1057, u"The comment lines and layers entered so far will be replaced. Continue?"},
    {1058, u"This file cannot be opened, is too large or is not a plain file. Nothing was changed: "},
    {1059, u"Yes"},
    {1060, u"No"},
    {1061, u"Layer file (*.csv)"},
    {1062, u"All files (*)"},
    {1063, u"%1 fields, a layer file has 7"},
    {1064, u"not the header of a layer file"},
    {1065, u"neither a comment line (\"# \" and its text) nor the column names"},
    {1066, u"not the column names, which follow at most three comment lines"},
    {1067, u"the file ends before the column names"},
    {1068, u"\"%1\" is not a number with a decimal point"},
    {1069, u"\"%1\" is not a whole number from 0 to 100"},
    {1070, u"more than 999 layers"},
    {1071, u"an empty row before the last layer"},
    {1072, u"holds \uFFFD, a letter lost when the file was once saved in another character set"},
    {1073, u"not UTF-8 text, although the file begins with the UTF-8 mark"},
    {1074, u"longer than 255 characters"},
    {1075, u"holds a control character"},
    {1076, u"holds a \";\", which a layer name or comment line cannot hold"},
    {1077, u"Lines that the next write will change: %2, the first is line %1 (values get two decimals, names end before \".\" or \",\", letters the layer file cannot hold become \"?\")."},
    {1078, u"Lines with a value no compaction layer has: %2, the first is line %1 (offsets are usually within -10 \u2026 +10 m, target speeds within 0.5 \u2026 30 km/h). Check them before the file is written."},
    {1079, u"Cross-section of the layers"},
    {1080, u"Unusual offset: outside -10 to +10 m"},
    {1081, u"Unusual target speed: outside 0.5 to 30 km/h"},
    {1082, u"Save as PDF\u2026"},
    {1083, u"The layer sheet could not be saved: "},
    {1084, u"The layer sheet has been saved: "},
    {1085, u"Layer sheet"},
    {1086, u"Reference model: "},
    {1087, u"Layer file: "},
    {1088, u"Date: "},
    {1089, u"equal offsets"},
    {1090, u"passes"},
    {1091, u"No layers yet"},
    {1092, u"Letters and signs beyond A to Z, such as \"\u00F8\" or \"\u2013\", were read in the character set %1. Check them before the file is written."},
    {1100, u"Work whose layer file had not yet been created was kept on %1 at %2 (layers: %3, comment lines: %4). Restore it?"},
    {1101, u"Kept work that was not offered, or that cannot be read, has been set aside:"},
    {1102, u"The file it replaced held other content; a copy of that file was kept: "},
    {1103, u"The file it replaced held other content, and no copy of it could be kept in: "},
    {1104, u"The work entered cannot be kept for a restart after a crash or a power failure. Check this folder: "},
    {1110, u"Thickness (m)"},
    {1111, u"Layer table..."},
    {1112, u"Layer table"},
    {1113, u"Generate lifts..."},
    {1114, u"Remove rows"},
    {1115, u"Discard the changes made in the table?"},
    {1116, u"Nothing was pasted, the table is unchanged:"},
    {1117, u"Row %1"},
    {1118, u"The pasted numbers use \",\" as the decimal mark and were read with it."},
    {1119, u"The pasted numbers mix \",\" and \".\" as the decimal mark. Nothing was pasted. First cell with the other mark: "},
    {1120, u"%1 values, from the current column on the table has room for %2"},
    {1121, u"That would make %1 layers; the table holds at most 999."},
    {1122, u"empty"},
    {1123, u"A cell is in error; correct it before the table is taken over: "},
    {1124, u"Generate lifts"},
    {1125, u"Offset of the surface the lifts are built on (m)"},
    {1126, u"Offset of the top of the last lift (m)"},
    {1127, u"Lift thickness (m)"},
    {1128, u"The top of the last lift must lie above the surface."},
    {1129, u"The lift thickness must be more than 0 m and divide the height from the surface to the top (%1 m) into whole lifts."},
    {1130, u"%1 m thick"},
    {1131, u"Prepared by"},
    {1132, u"Checked by"},
    {1133, u"Name: "},
    {1134, u"Signature: "},
    {1140, u"Export templates..."},
    {1141, u"Import templates..."},
    {1142, u"The template list is empty: there is nothing to export."},
    {1143, u"The templates have been exported: "},
    {1144, u"The templates could not be exported: "},
    {1145, u"This template holds a value that a layer file cannot hold, so nothing was exported. Correct it or remove it from the template list first: "},
    {1146, u"The template list holds %1 layers and this file would add %2 new ones, more than the 100 the template list can hold. Nothing was imported."},
    {1147, u"These layer names are in the template list already: %1\n\nYes: overwrite them with the values from the file.\nNo: keep them as they are and add only the new names."},
    {1148, u"Templates imported: %1 added, %2 overwritten."},
    {1149, u"The template list was changed by another copy of the program meanwhile. Nothing was imported; please import the file again."},
    {1150, u"%1: \"%2\" is not a valid number"},
    {1151, u"%1: \"%2\" is written with a decimal comma. Use a point (.) as the decimal mark: %3"},
    {1152, u"The file could not be written: %1\n%2"},
    {1153, u"The settings could not be saved in %1:\n%2"},
    {1154, u"The setting \"%1\" holds a value of the wrong type"},

    // Dutch
    {2000, u"OK"},
    {2001, u"Afbreken"},
    {2002, u">> Verder"},
    {2003, u"<< Terug"},
    {2012, u"Om de gekozen taal te activeren, herstart de applicatie. "},
    {2013, u"Welkom bij de wizard voor het aanmaken van de layer file voor MC1"},
    {2014, u"Volg de diverse stappen om de juiste layers te selecteren, de waardes te bepalen en ze toe te voegen aan de layerfile."},
    {2015, u"Kies >> om verder te gaan naar de volgende stap. "},
    {2016, u"Kies de referentie file"},
    {2017, u"Kies het referentie model (ontwerp) dat gebruikt gaat worden met de layer file"},
    {2018, u"Klik hier om file te kiezen"},
    {2019, u"Layer files toevoegen"},
    {2020, u"Voeg nieuwe layers toe door deze aan te maken of te selecteren uit de template lijst.\nIn de boomstructuur staan de reeds toegevoegde layers. Er moeten tenminste 2 layers gemaakt worden!"},
    {2021, u"Commentaar toevoegen"},
    {2022, u"Aan de layer file kunnen een drietal regels commentaar toegevoegd worden. Deze opmerkingen zijn optioneel toe te voegen aan de file. Voer deze per regel in en druk op de groene + voor toevoegen. (max 3 regels)"},
    {2023, u"Bewerk commentaar of laag"},
    {2024, u"Verwijder commentaar of laag"},
    {2025, u"Voeg layer toe aan template"},
    {2026, u"Bewerk commentaar regels"},
    {2027, u"Bewerk de commentaar regel en kies OK om op te slaan"},
    {2028, u"Voeg nieuwe layer toe door onderstaande velden in te vullen"},
    {2029, u"Laag toevoegen"},
    {2030, u"Laag Naam"},
    {2031, u"Offset (m)"},
    {2032, u"Passcount Doel #"},
    {2033, u"Passcount Tolerantie"},
    {2034, u"Doelsnelheid km/h"},
    {2035, u"Snelheid Tolerantie"},
    {2036, u"CMV Doel"},
    {2037, u"Nieuwe Laag"},
    {2038, u"Layer file opslaan"},
    {2039, u"De layer file wordt automatisch opgeslagen op dezelfde locatie als de referentie file\n De applicatie kan nu worden afgesloten"},
    {2040, u"Afsluiten"},
    {2041, u"Aanmaken van de layer file is mislukt. Probeer opnieuw"},
    {2042, u"De layer file is aangemaakt: "},
    {2043, u"Fout bij selecteren. selecteer eerst en kies dan rechter muisknop"},
    {2044, u"Maximaal aantal layers in de template opslag is bereikt\nVerminder het aantal layers door de template file op te schonen en\nongebruikte lagen te veerwijderen"},
    {2045, u"Laag toegevoegd aan template file: "},
    {2046, u"Laag verwijderen uit template lijst"},
    {2047, u"Bewerkte laag overschrijven in templatelijst"},
    {2048, u"Laag is opgeslagen in template file "},
    {2049, u"Selecteer en kies rechtermuisknop voor meer opties"},
    {2050, u"Gekozen laag is verwijderd uit de templatelijst"},
    {2051, u"Koppel layerfile aan geselecteerde model"},
    {2052, u"Er zijn twee of meer lagen met dezelfde offset!"},
    {2053, u"Punt (.) en komma (,) zijn niet toegestaan in de laagnaam.\nDe laagnaam is ingekort. Kies bewerken om de naam weer aan te passen"},
    {2054, u"Layer file openen"},
    {2055, u"De layer file is ingelezen: "},
    {2056, u"Deze file kan niet als layer file gelezen worden. Er is niets gewijzigd. Eerste regel met een fout: "},
    {2057, u"De tot nu toe ingevoerde commentaar regels en lagen worden vervangen. Doorgaan?"},
    {2058, u"Deze file kan niet geopend worden, is te groot of is geen gewone file. Er is niets gewijzigd: "},
    {2059, u"Ja"},
    {2060, u"Nee"},
    {2061, u"Layer file (*.csv)"},
    {2062, u"Alle files (*)"},
    {2063, u"%1 velden, een layer file heeft er 7"},
    {2064, u"geen kopregel van een layer file"},
    {2065, u"geen commentaar regel (\"# \" en de tekst) en geen kolomnamen"},
    {2066, u"niet de kolomnamen, die na hoogstens drie commentaar regels komen"},
    {2067, u"de file houdt op voor de kolomnamen"},
    {2068, u"\"%1\" is geen getal met een decimale punt"},
    {2069, u"\"%1\" is geen geheel getal van 0 tot 100"},
    {2070, u"meer dan 999 lagen"},
    {2071, u"een lege rij voor de laatste laag"},
    {2072, u"bevat \uFFFD, een letter die verloren ging toen de file ooit in een andere tekenset werd opgeslagen"},
    {2073, u"geen UTF-8 tekst, hoewel de file met het UTF-8 teken begint"},
    {2074, u"langer dan 255 tekens"},
    {2075, u"bevat een stuurteken"},
    {2076, u"bevat een \";\", die een laagnaam of commentaar regel niet kan bevatten"},
    {2077, u"Regels die het volgende opslaan verandert: %2, de eerste is regel %1 (waarden krijgen twee decimalen, namen eindigen voor \".\" of \",\", letters die de layer file niet kan bevatten worden \"?\")."},
    {2078, u"Regels met een waarde die geen verdichtingslaag heeft: %2, de eerste is regel %1 (offsets liggen meestal binnen -10 \u2026 +10 m, doelsnelheden binnen 0.5 \u2026 30 km/h). Controleer ze voordat de file wordt geschreven."},
    {2079, u"Doorsnede van de lagen"},
    {2080, u"Ongebruikelijke offset: buiten -10 tot +10 m"},
    {2081, u"Ongebruikelijke doelsnelheid: buiten 0.5 tot 30 km/h"},
    {2082, u"Opslaan als PDF\u2026"},
    {2083, u"Het lagenblad kan niet worden opgeslagen: "},
    {2084, u"Het lagenblad is opgeslagen: "},
    {2085, u"Lagenblad"},
    {2086, u"Referentiemodel: "},
    {2087, u"Layer file: "},
    {2088, u"Datum: "},
    {2089, u"gelijke offsets"},
    {2090, u"overgangen"},
    {2091, u"Nog geen lagen"},
    {2092, u"Letters en tekens buiten A tot Z, zoals \"\u00F8\" of \"\u2013\", zijn gelezen in de tekenset %1. Controleer ze voordat de file wordt geschreven."},
    {2100, u"Op %1 om %2 is werk bewaard waarvan de layer file nog niet was aangemaakt (lagen: %3, commentaar regels: %4). Herstellen?"},
    {2101, u"Bewaard werk dat niet is aangeboden of niet gelezen kan worden, is apart gezet:"},
    {2102, u"De vervangen file had een andere inhoud; er is een kopie van bewaard: "},
    {2103, u"De vervangen file had een andere inhoud, en er kon geen kopie van worden bewaard in: "},
    {2104, u"Het ingevoerde werk kan niet worden bewaard voor een herstart na een vastloper of stroomstoring. Controleer deze map: "},
    {2110, u"Dikte (m)"},
    {2111, u"Lagentabel..."},
    {2112, u"Lagentabel"},
    {2113, u"Ophooglagen genereren..."},
    {2114, u"Rijen verwijderen"},
    {2115, u"De wijzigingen in de tabel verwerpen?"},
    {2116, u"Er is niets geplakt, de tabel is ongewijzigd:"},
    {2117, u"Rij %1"},
    {2118, u"De geplakte getallen gebruiken \",\" als decimaalteken en zijn zo gelezen."},
    {2119, u"De geplakte getallen gebruiken zowel \",\" als \".\" als decimaalteken. Er is niets geplakt. Eerste cel met het andere teken: "},
    {2120, u"%1 waarden, vanaf de huidige kolom heeft de tabel plaats voor %2"},
    {2121, u"Dat zou %1 lagen geven; de tabel bevat hoogstens 999 lagen."},
    {2122, u"leeg"},
    {2123, u"Een cel bevat een fout; verbeter die voordat de tabel wordt overgenomen: "},
    {2124, u"Ophooglagen genereren"},
    {2125, u"Offset van het vlak waarop de lagen komen (m)"},
    {2126, u"Offset van de bovenkant van de laatste laag (m)"},
    {2127, u"Laagdikte (m)"},
    {2128, u"De bovenkant van de laatste laag moet boven het vlak liggen."},
    {2129, u"De laagdikte moet groter zijn dan 0 m en de hoogte van het vlak tot de bovenkant (%1 m) in hele lagen verdelen."},
    {2130, u"%1 m dik"},
    {2131, u"Opgesteld door"},
    {2132, u"Gecontroleerd door"},
    {2133, u"Naam: "},
    {2134, u"Handtekening: "},
    {2140, u"Templates exporteren..."},
    {2141, u"Templates importeren..."},
    {2142, u"De templatelijst is leeg: er is niets te exporteren."},
    {2143, u"De templates zijn ge\u00EBxporteerd: "},
    {2144, u"De templates konden niet worden ge\u00EBxporteerd: "},
    {2145, u"Deze template bevat een waarde die een layer file niet kan bevatten, daarom is er niets ge\u00EBxporteerd. Pas de template eerst aan of verwijder hem uit de templatelijst: "},
    {2146, u"De templatelijst bevat %1 lagen en deze file zou er %2 nieuwe aan toevoegen, meer dan de 100 die de templatelijst kan bevatten. Er is niets ge\u00EFmporteerd."},
    {2147, u"Deze laagnamen staan al in de templatelijst: %1\n\nJa: overschrijf ze met de waarden uit de file.\nNee: laat ze zoals ze zijn en voeg alleen de nieuwe namen toe."},
    {2148, u"Templates ge\u00EFmporteerd: %1 toegevoegd, %2 overschreven."},
    {2149, u"De templatelijst is intussen gewijzigd door een ander exemplaar van het programma. Er is niets ge\u00EFmporteerd; importeer de file opnieuw."},
    {2150, u"%1: \"%2\" is geen geldig getal"},
    {2151, u"%1: \"%2\" is geschreven met een decimale komma. Gebruik een punt (.) als decimaalteken: %3"},
    {2152, u"De file kon niet worden geschreven: %1\n%2"},
    {2153, u"De instellingen konden niet worden opgeslagen in %1:\n%2"},
    {2154, u"De instelling \"%1\" heeft een waarde van het verkeerde type"},

    // Norwegian
    {3000, u"OK"},
    {3001, u"Avbryt"},
    {3002, u">> Fortsett"},
    {3003, u"<< Tilbake"},
    {3012, u"For å aktivere det valgte språket, start applikasjonen på nytt."},
    {3013, u"Velkommen til veiviseren for å lage lagsfilen for MC1"},
    {3014, u"Følg de forskjellige trinnene for å generere lagsfiler med egendefinerte verdier. Lekende lett :)"},
    {3015, u"Velg >> for å fortsette til neste trinn."},
    {3016, u"Lagre som"},
    {3017, u"Velg eventuell referansemodellen som skal knyttes til lagfilen"},
    {3018, u"Klikk her for å velge fil"},
    {3019, u"Legge til lag"},
    {3020, u"Legg til nye lag ved å opprette eller velge dem fra listen.\nTrestrukturen inneholder lagene som allerede er lagt til. Minst 2 lag må opprettes!"},
    {3021, u"Legg til kommentar"},
    {3022, u"Tre linjer med kommentarer kan legges til lagfilen. Disse kommentarene legges til filen. Trykk på den grønne + for å legge til. (maks 3 linjer)"},
    {3023, u"Rediger kommentar eller lag"},
    {3024, u"Fjern kommentar eller lag"},
    {3025, u"Legg lag til mal"},
    {3026, u"Rediger kommentarlinjer"},
    {3027, u"Rediger kommentarlinjen og velg OK for å lagre"},
    {3028, u"Legg til nytt lag ved å fylle ut feltene under"},
    {3029, u"Legg til lag"},
    {3030, u"Lag Navn"},
    {3031, u"Offset (m)"},
    {3032, u"Passcount Target #"},
    {3033, u"Passcount Tolerance"},
    {3034, u"Målhastighet km/t"},
    {3035, u"Hastighets toleranse"},
    {3036, u"CMV-mål"},
    {3037, u"Nytt lag"},
    {3038, u"Lagre lagfil"},
    {3039, u"Lagfilen lagres automatisk på samme sted som referansefilen\n Applikasjonen kan nå lukkes"},
    {3040, u"Avslutt"},
    {3041, u"Kunne ikke opprette lagfilen. Prøv igjen"},
    {3042, u"Lagfilen er opprettet: "},
    {3043, u"Feil ved valg. Velg først og velg deretter høyre museknapp"},
    {3044, u"Maksimalt antall lag i mallageret er nådd\nReduser antall lag ved å rydde opp i malfilen og\nslette ubrukte lag"},
    {3045, u"Lag lagt til liste: "},
    {3046, u"Fjern lag fra liste"},
    {3047, u"Overskriv redigert lag i liste"},
    {3048, u"Laget er lagret i mal"},
    {3049, u"Velg og høyreklikk for flere alternativer"},
    {3050, u"Det valgte laget er fjernet fra listen"},
    {3051, u"Koble lagsfil til valgt modell"},
    {3052, u"Det er to eller flere lag med samme offset!"},
    {3053, u"Punkt (.) og komma (,) er ikke tillatt i lagnavn.\nLagnavnet er avkortet. Bruk rediger for å gi nytt navn til laget om nødvendig."},
    {3054, u"\u00C5pne en lagfil"},
    {3055, u"Lagfilen er lest inn: "},
    {3056, u"Denne filen kan ikke leses som en lagfil. Ingenting er endret. F\u00F8rste linje med feil: "},
    {3057, u"Kommentarlinjene og lagene som er lagt inn s\u00E5 langt, blir erstattet. Fortsette?"},
    {3058, u"Denne filen kan ikke \u00E5pnes, er for stor eller er ikke en vanlig fil. Ingenting er endret: "},
    {3059, u"Ja"},
    {3060, u"Nei"},
    {3061, u"Lagfil (*.csv)"},
    {3062, u"Alle filer (*)"},
    {3063, u"%1 felt, en lagfil har 7"},
    {3064, u"ikke overskriften til en lagfil"},
    {3065, u"verken en kommentarlinje (\"# \" og teksten) eller kolonnenavnene"},
    {3066, u"ikke kolonnenavnene, som kommer etter h\u00F8yst tre kommentarlinjer"},
    {3067, u"filen slutter f\u00F8r kolonnenavnene"},
    {3068, u"\"%1\" er ikke et tall med desimalpunktum"},
    {3069, u"\"%1\" er ikke et heltall fra 0 til 100"},
    {3070, u"mer enn 999 lag"},
    {3071, u"en tom rad f\u00F8r det siste laget"},
    {3072, u"inneholder \uFFFD, en bokstav som gikk tapt da filen en gang ble lagret i et annet tegnsett"},
    {3073, u"ikke UTF-8-tekst, selv om filen begynner med UTF-8-merket"},
    {3074, u"lengre enn 255 tegn"},
    {3075, u"inneholder et kontrolltegn"},
    {3076, u"inneholder \";\", som et lagnavn eller en kommentarlinje ikke kan inneholde"},
    {3077, u"Linjer som neste lagring endrer: %2, den f\u00F8rste er linje %1 (verdier f\u00E5r to desimaler, navn slutter f\u00F8r \".\" eller \",\", bokstaver lagfilen ikke kan inneholde blir \"?\")."},
    {3078, u"Linjer med en verdi som intet komprimeringslag har: %2, den f\u00F8rste er linje %1 (offset ligger vanligvis innenfor -10 \u2026 +10 m, m\u00E5lhastighet innenfor 0.5 \u2026 30 km/t). Kontroller dem f\u00F8r filen skrives."},
    {3079, u"Tverrsnitt av lagene"},
    {3080, u"Uvanlig offset: utenfor -10 til +10 m"},
    {3081, u"Uvanlig m\u00E5lhastighet: utenfor 0.5 til 30 km/t"},
    {3082, u"Lagre som PDF\u2026"},
    {3083, u"Lagarket kunne ikke lagres: "},
    {3084, u"Lagarket er lagret: "},
    {3085, u"Lagark"},
    {3086, u"Referansemodell: "},
    {3087, u"Lagfil: "},
    {3088, u"Dato: "},
    {3089, u"like offset"},
    {3090, u"overfarter"},
    {3091, u"Ingen lag enn\u00E5"},
    {3092, u"Bokstaver og tegn utenfor A til Z, som \"\u00F8\" eller \"\u2013\", er lest med tegnsettet %1. Kontroller dem f\u00F8r filen skrives."},
    {3100, u"Arbeid der lagfilen enn\u00E5 ikke var opprettet, ble tatt vare p\u00E5 %1 kl. %2 (lag: %3, kommentarlinjer: %4). Gjenopprette det?"},
    {3101, u"Arbeid som ble tatt vare p\u00E5, men som ikke ble tilbudt eller ikke kan leses, er lagt til side:"},
    {3102, u"Den erstattede filen hadde annet innhold; en kopi av den er tatt vare p\u00E5: "},
    {3103, u"Den erstattede filen hadde annet innhold, og ingen kopi av den kunne tas vare p\u00E5 i: "},
    {3104, u"Arbeidet som er lagt inn, kan ikke tas vare p\u00E5 for en omstart etter et krasj eller str\u00F8mbrudd. Kontroller denne mappen: "},
    {3110, u"Tykkelse (m)"},
    {3111, u"Lagtabell..."},
    {3112, u"Lagtabell"},
    {3113, u"Generer fyllingslag..."},
    {3114, u"Fjern rader"},
    {3115, u"Forkaste endringene i tabellen?"},
    {3116, u"Ingenting ble limt inn, tabellen er uendret:"},
    {3117, u"Rad %1"},
    {3118, u"De innlimte tallene bruker \",\" som desimaltegn og er lest slik."},
    {3119, u"De innlimte tallene blander \",\" og \".\" som desimaltegn. Ingenting ble limt inn. F\u00F8rste celle med det andre tegnet: "},
    {3120, u"%1 verdier, fra gjeldende kolonne har tabellen plass til %2"},
    {3121, u"Det ville gi %1 lag; tabellen rommer h\u00F8yst 999 lag."},
    {3122, u"tom"},
    {3123, u"En celle har en feil; rett den f\u00F8r tabellen tas i bruk: "},
    {3124, u"Generer fyllingslag"},
    {3125, u"Offset for flaten lagene bygges p\u00E5 (m)"},
    {3126, u"Offset for toppen av det siste laget (m)"},
    {3127, u"Lagtykkelse (m)"},
    {3128, u"Toppen av det siste laget m\u00E5 ligge over flaten."},
    {3129, u"Lagtykkelsen m\u00E5 v\u00E6re st\u00F8rre enn 0 m og dele h\u00F8yden fra flaten til toppen (%1 m) i hele lag."},
    {3130, u"%1 m tykt"},
    {3131, u"Utarbeidet av"},
    {3132, u"Kontrollert av"},
    {3133, u"Navn: "},
    {3134, u"Underskrift: "},
    {3140, u"Eksporter maler..."},
    {3141, u"Importer maler..."},
    {3142, u"Mallisten er tom: det er ingenting \u00E5 eksportere."},
    {3143, u"Malene er eksportert: "},
    {3144, u"Malene kunne ikke eksporteres: "},
    {3145, u"Denne malen har en verdi som en lagfil ikke kan inneholde, s\u00E5 ingenting ble eksportert. Rett malen eller fjern den fra mallisten f\u00F8rst: "},
    {3146, u"Mallisten har %1 lag, og denne filen ville legge til %2 nye, mer enn de 100 mallisten kan romme. Ingenting ble importert."},
    {3147, u"Disse lagnavnene finnes allerede i mallisten: %1\n\nJa: overskriv dem med verdiene fra filen.\nNei: behold dem som de er, og legg bare til de nye navnene."},
    {3148, u"Maler importert: %1 lagt til, %2 overskrevet."},
    {3149, u"Mallisten ble endret av en annen kopi av programmet i mellomtiden. Ingenting ble importert; importer filen p\u00E5 nytt."},
    {3150, u"%1: \"%2\" er ikke et gyldig tall"},
    {3151, u"%1: \"%2\" er skrevet med desimalkomma. Bruk punktum (.) som desimaltegn: %3"},
    {3152, u"Filen kunne ikke skrives: %1\n%2"},
    {3153, u"Innstillingene kunne ikke lagres i %1:\n%2"},
    {3154, u"Innstillingen \"%1\" har en verdi av feil type"},
};
// clang-format on

// The languages whose texts are typed out above, and every language.
constexpr std::int32_t kBases[] = {kEnglish, kDutch, kNorwegian};
constexpr std::int32_t kAllBases[] = {kEnglish, kDutch, kNorwegian, kSwedish, kFrench, kDanish};

// Readable failure output: the identifier plus both texts as UTF-8.
// Line breaks shown as \n, so that a missing or extra one is visible.
std::string utf8(std::u16string_view s)
{
    std::string out;
    for (char c : kobalin::toUtf8(s))
        out += c == '\n' ? std::string("\\n") : c == '\r' ? std::string("\\r") : std::string(1, c);
    return out;
}

TEST(Catalogue, EveryIdentifierGivesItsExactText)
{
    for (const Entry& e : kExpected) {
        const std::int32_t base = e.id / 1000 * 1000;
        const std::int32_t k = e.id % 1000;
        const std::u16string_view got = catalogueText(base, k);
        EXPECT_TRUE(got == e.text) << "identifier " << e.id << " (base " << base << ", text " << k << ")\n"
                                   << "  expected [" << utf8(e.text) << "] (" << e.text.size() << " chars)\n"
                                   << "  got      [" << utf8(got) << "] (" << got.size() << " chars)";
    }
}

TEST(Catalogue, IdentifiersWithoutTextGiveEmptyText)
{
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();

    // The gap between the buttons and the captions exists in no language.
    for (std::int32_t base : kAllBases) {
        for (std::int32_t k = 4; k <= 11; ++k) {
            EXPECT_TRUE(catalogueText(base, k).empty()) << "base " << base << ", text " << k;
        }
    }

    // A base no language has, a zeroed setting, and bases one off from a real one.
    for (std::int32_t base : {0, 1, 999, 1001, 5999, 6001, 7000, -1000}) {
        for (std::int32_t k = 0; k < 1000; ++k) {
            EXPECT_TRUE(catalogueText(base, k).empty()) << "base " << base << ", text " << k;
        }
    }

    struct Call {
        std::int32_t base;
        std::int32_t k;
    };
    const Call calls[] = {
        // Just outside each language's range.
        {0, 999},
        {kEnglish, -1},
        {kEnglish, 999},
        {kDutch, -1},
        {kDutch, 999},
        {kNorwegian, 999},
        {4000, -1},
        // The stored base comes from a hand-editable setting, so base + k
        // must not overflow into undefined behaviour.
        {kMax, 0},
        {kMax, 12},
        {kMax, 62},
        {kMax, kMax},
        {kMin, 0},
        {kMin, -1},
        {kMin, kMin},
        {kMin, kMax},
        {kEnglish, kMax},
        {kEnglish, kMin},
    };
    for (const Call& c : calls) {
        EXPECT_TRUE(catalogueText(c.base, c.k).empty()) << "base " << c.base << ", text " << c.k;
    }
}

TEST(Catalogue, TableAndVisibleDetails)
{
    // Every language has exactly the offsets of the English table above, and
    // the catalogue holds no text that the table does not list.
    std::set<std::int32_t> english;
    for (const Entry& e : kExpected) {
        if (e.id / 1000 * 1000 == kEnglish)
            english.insert(e.id - kEnglish);
    }
    for (std::int32_t base : kBases) {
        std::multiset<std::int32_t> offsets;
        for (const Entry& e : kExpected) {
            if (e.id / 1000 * 1000 == base)
                offsets.insert(e.id - base);
        }
        EXPECT_EQ(offsets.size(), english.size()) << "base " << base;
        EXPECT_TRUE(std::set<std::int32_t>(offsets.begin(), offsets.end()) == english) << "base " << base;
        for (std::int32_t k = 0; k < 1000; ++k) {
            EXPECT_EQ(!catalogueText(base, k).empty(), english.count(k) == 1) << "base " << base << ", text " << k;
        }
    }
    // The longest text; a dropped or doubled word in the table shows here.
    EXPECT_EQ(catalogueText(kDutch, 22).size(), 209u);

    // The restart message carries a trailing space in Dutch only.
    const auto nl12 = catalogueText(kDutch, 12);
    const auto no12 = catalogueText(kNorwegian, 12);
    ASSERT_FALSE(nl12.empty());
    ASSERT_FALSE(no12.empty());
    EXPECT_EQ(nl12.back(), u' ');
    EXPECT_NE(no12.back(), u' ');

    // A path, a name, a line number or a date follows texts 42, 55, 56, 58, 83
    // to 88, 102 to 104 and 143 to 145 directly, so exactly one space must
    // separate them.
    for (std::int32_t base : kAllBases) {
        for (std::int32_t k : {42, 55, 56, 58, 83, 84, 86, 87, 88, 102, 103, 104, 143, 144, 145}) {
            const auto text = catalogueText(base, k);
            ASSERT_GE(text.size(), 2u) << "base " << base << ", text " << k;
            EXPECT_EQ(text.back(), u' ') << "base " << base << ", text " << k;
            EXPECT_NE(text[text.size() - 2], u' ') << "base " << base << ", text " << k;
        }
    }

    // The messages put a number, a field or names in place of %1 and %2: a
    // translation that lost one would drop it from the message.
    for (std::int32_t base : kAllBases) {
        for (std::int32_t k : {63, 68, 69, 77, 78, 92, 146, 147, 148}) {
            const auto text = catalogueText(base, k);
            const bool two = k == 77 || k == 78 || k == 146 || k == 148;
            EXPECT_NE(text.find(u"%1"), std::u16string_view::npos) << "base " << base << ", text " << k;
            EXPECT_EQ(text.find(u"%2") != std::u16string_view::npos, two) << "base " << base << ", text " << k;
        }
        // The restore question: date, time, layers and comment lines, each once.
        const auto question = catalogueText(base, 100);
        for (const std::u16string_view mark : {u"%1", u"%2", u"%3", u"%4"}) {
            const std::size_t at = question.find(mark);
            EXPECT_TRUE(at != std::u16string_view::npos && question.find(mark, at + 1) == std::u16string_view::npos)
                << "base " << base << ", " << utf8(mark);
        }
    }

    // The layer table's messages: a cell's name follows 119 and 123 after one
    // space; a row number, counts or a height take the place of %1 and %2.
    for (std::int32_t base : kAllBases) {
        for (std::int32_t k : {119, 123}) {
            const auto text = catalogueText(base, k);
            EXPECT_EQ(text.substr(text.size() - 2), u": ") << "base " << base << ", text " << k;
        }
        for (std::int32_t k : {117, 120, 121, 129}) {
            const auto text = catalogueText(base, k);
            EXPECT_NE(text.find(u"%1"), std::u16string_view::npos) << "base " << base << ", text " << k;
            EXPECT_EQ(text.find(u"%2") != std::u16string_view::npos, k == 120) << "base " << base << ", text " << k;
        }
    }

    // Multi-line texts use bare line feeds; a CR would show as a stray glyph.
    for (std::int32_t base : kAllBases) {
        for (std::int32_t k : {20, 39, 44, 53, 147}) {
            const auto text = catalogueText(base, k);
            EXPECT_NE(text.find(u'\n'), std::u16string_view::npos) << "base " << base << ", text " << k;
            EXPECT_EQ(text.find(u'\r'), std::u16string_view::npos) << "base " << base << ", text " << k;
        }
    }

    // Written with escapes so a source file misread as another code page
    // cannot make both sides agree on the wrong letters.
    EXPECT_TRUE(catalogueText(kNorwegian, 34) == u"M\u00E5lhastighet km/t");
    EXPECT_TRUE(catalogueText(kNorwegian, 36) == u"CMV-m\u00E5l");
    EXPECT_TRUE(catalogueText(kNorwegian, 41) == u"Kunne ikke opprette lagfilen. Pr\u00F8v igjen");
    EXPECT_TRUE(catalogueText(kSwedish, 34) == u"M\u00E5lhastighet km/h");
    EXPECT_TRUE(catalogueText(kFrench, 31) == u"D\u00E9calage (m)");
    EXPECT_TRUE(catalogueText(kDanish, 44).starts_with(u"Det st\u00F8rste antal lag i skabelonlageret er n\u00E5et\n"));
}

// The placeholders of a text, in order: "%2 ... %1" gives "21".
std::u16string placeholders(std::u16string_view text)
{
    std::u16string out;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == u'%' && text[i + 1] >= u'1' && text[i + 1] <= u'9')
            out += text[i + 1];
    std::sort(out.begin(), out.end());
    return out;
}

std::size_t trailingSpaces(std::u16string_view text)
{
    const std::size_t last = text.find_last_not_of(u' ');
    return last == std::u16string_view::npos ? text.size() : text.size() - 1 - last;
}

TEST(Catalogue, EveryLanguageHasEveryEnglishTextInTheSameShape)
{
    // Texts that differed from English in the program's first languages
    // before any later one was added; they stay as they were shown.
    const std::set<std::int32_t> trailingAsFirstShipped = {2012, 2015, 3048};
    for (std::int32_t base : kAllBases) {
        for (std::int32_t k = 0; k < 1000; ++k) {
            SCOPED_TRACE("identifier " + std::to_string(base + k));
            const std::u16string_view english = catalogueText(kEnglish, k);
            const std::u16string_view text = catalogueText(base, k);
            // Only what English has, and all of it.
            ASSERT_EQ(text.empty(), english.empty()) << utf8(text);
            if (english.empty())
                continue;
            // A lost placeholder drops a value from the message; a doubled one shows it twice.
            EXPECT_EQ(placeholders(text), placeholders(english)) << utf8(text);
            // A path or a name follows some texts directly.
            if (!trailingAsFirstShipped.count(base + k)) {
                EXPECT_EQ(trailingSpaces(text), trailingSpaces(english)) << "[" << utf8(text) << "]";
            }
            EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), std::count(english.begin(), english.end(), u'\n'))
                << utf8(text);
            EXPECT_EQ(text.find(u'\r'), std::u16string_view::npos) << utf8(text);
            EXPECT_NE(text.front(), u' ') << utf8(text);
        }
    }
}

}  // namespace
}  // namespace kobalin
