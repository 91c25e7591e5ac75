#include "catalogue.h"

#include "i18n/texts.h"

#include <array>
#include <cstddef>

namespace kobalin {
namespace {

using namespace std::string_view_literals;

// English texts, base 1000.
constexpr TextTable kEnglishTexts = [] {
    TextTable t{};
    t[0] = u"OK"sv;
    t[1] = u"Abort"sv;
    t[2] = u">> Continue"sv;
    t[3] = u"<< Back"sv;
    t[12] = u"To activate the choosen language, restart the application."sv;
    t[13] = u"Welcome to the wizard for creating the layer file for MC1"sv;
    t[14] = u"Follow the various steps to select the correct layers, determine the values and add them to the layer file."sv;
    t[15] = u"Choose >> to continue to the next step."sv;
    t[16] = u"Choose the reference file"sv;
    t[17] = u"Choose the reference model (design) to be used with the layer file"sv;
    t[18] = u"Click here to choose file"sv;
    t[19] = u"Add layer files"sv;
    t[20] =
        u"Add new layers by creating or selecting them from the template list.\nThe tree structure contains the already added layers. At least 2 layers must be created!"sv;
    t[21] = u"Add comment"sv;
    t[22] =
        u"About three lines of comments can be added to the layer file. These comments can optionally be added to the file. Enter these per line and press the green + to add. (max 3 lines)"sv;
    t[23] = u"Edit comment or layer"sv;
    t[24] = u"Remove comment or layer"sv;
    t[25] = u"Add layer to template"sv;
    t[26] = u"Edit comment lines"sv;
    t[27] = u"Edit the comment line and choose OK to save"sv;
    t[28] = u"Add new layer by filling in the fields below"sv;
    t[29] = u"Add Layer"sv;
    t[30] = u"Layer Name"sv;
    t[31] = u"Offset (m)"sv;
    t[32] = u"Passcount Target #"sv;
    t[33] = u"Passcount Tolerance"sv;
    t[34] = u"Targetspeed km/h"sv;
    t[35] = u"Speed Tolerance"sv;
    t[36] = u"CMV Target"sv;
    t[37] = u"New Layer"sv;
    t[38] = u"Save layer file"sv;
    t[39] =
        u"The layer file is automatically saved in the same location as the reference file\n The application can now be closed"sv;
    t[40] = u"End program"sv;
    t[41] = u"Failed to create the layer file. Try again"sv;
    t[42] = u"The layer file has been created: "sv;
    t[43] = u"Error selecting. Select first and then choose right mouse button"sv;
    t[44] =
        u"Maximum number of layers in the template storage has been reached\nReduce the number of layers by cleaning up the template file and\ndeleting unused layers"sv;
    t[45] = u"Layer added to template file: "sv;
    t[46] = u"Remove layer from template list"sv;
    t[47] = u"Overwrite edited layer in template list"sv;
    t[48] = u"Layer is saved in template file "sv;
    t[49] = u"Select and right click for more options"sv;
    t[50] = u"Chosen layer has been removed from the template list"sv;
    t[51] = u"Connect layerfile to the specified model"sv;
    t[52] = u"There are two or more layers with the same offset!"sv;
    t[53] =
        u"Point (.) and Comma (,) are not alowed in layernames.\nThe layername is truncated. Use edit to rename the layer again if needed."sv;
    t[54] = u"Open a layer file"sv;
    t[55] = u"The layer file has been read: "sv;
    t[56] = u"This file cannot be read as a layer file. Nothing was changed. First line in error: "sv;
    t[57] = u"The comment lines and layers entered so far will be replaced. Continue?"sv;
    t[58] = u"This file cannot be opened, is too large or is not a plain file. Nothing was changed: "sv;
    t[59] = u"Yes"sv;
    t[60] = u"No"sv;
    t[61] = u"Layer file (*.csv)"sv;
    t[62] = u"All files (*)"sv;
    t[63] = u"%1 fields, a layer file has 7"sv;
    t[64] = u"not the header of a layer file"sv;
    t[65] = u"neither a comment line (\"# \" and its text) nor the column names"sv;
    t[66] = u"not the column names, which follow at most three comment lines"sv;
    t[67] = u"the file ends before the column names"sv;
    t[68] = u"\"%1\" is not a number with a decimal point"sv;
    t[69] = u"\"%1\" is not a whole number from 0 to 100"sv;
    t[70] = u"more than 999 layers"sv;
    t[71] = u"an empty row before the last layer"sv;
    t[72] = u"holds \uFFFD, a letter lost when the file was once saved in another character set"sv;
    t[73] = u"not UTF-8 text, although the file begins with the UTF-8 mark"sv;
    t[74] = u"longer than 255 characters"sv;
    t[75] = u"holds a control character"sv;
    t[76] = u"holds a \";\", which a layer name or comment line cannot hold"sv;
    t[77] =
        u"Lines that the next write will change: %2, the first is line %1 (values get two decimals, names end before \".\" or \",\", letters the layer file cannot hold become \"?\")."sv;
    t[78] =
        u"Lines with a value no compaction layer has: %2, the first is line %1 (offsets are usually within -10 \u2026 +10 m, target speeds within 0.5 \u2026 30 km/h). Check them before the file is written."sv;
    t[79] = u"Cross-section of the layers"sv;
    t[80] = u"Unusual offset: outside -10 to +10 m"sv;
    t[81] = u"Unusual target speed: outside 0.5 to 30 km/h"sv;
    t[82] = u"Save as PDF\u2026"sv;
    t[83] = u"The layer sheet could not be saved: "sv;
    t[84] = u"The layer sheet has been saved: "sv;
    t[85] = u"Layer sheet"sv;
    t[86] = u"Reference model: "sv;
    t[87] = u"Layer file: "sv;
    t[88] = u"Date: "sv;
    t[89] = u"equal offsets"sv;
    t[90] = u"passes"sv;
    t[91] = u"No layers yet"sv;
    t[92] =
        u"Letters and signs beyond A to Z, such as \"\u00F8\" or \"\u2013\", were read in the character set %1. Check them before the file is written."sv;
    t[100] =
        u"Work whose layer file had not yet been created was kept on %1 at %2 (layers: %3, comment lines: %4). Restore it?"sv;
    t[101] = u"Kept work that was not offered, or that cannot be read, has been set aside:"sv;
    t[102] = u"The file it replaced held other content; a copy of that file was kept: "sv;
    t[103] = u"The file it replaced held other content, and no copy of it could be kept in: "sv;
    t[104] = u"The work entered cannot be kept for a restart after a crash or a power failure. Check this folder: "sv;
    t[110] = u"Thickness (m)"sv;
    t[111] = u"Layer table..."sv;
    t[112] = u"Layer table"sv;
    t[113] = u"Generate lifts..."sv;
    t[114] = u"Remove rows"sv;
    t[115] = u"Discard the changes made in the table?"sv;
    t[116] = u"Nothing was pasted, the table is unchanged:"sv;
    t[117] = u"Row %1"sv;
    t[118] = u"The pasted numbers use \",\" as the decimal mark and were read with it."sv;
    t[119] =
        u"The pasted numbers mix \",\" and \".\" as the decimal mark. Nothing was pasted. First cell with the other mark: "sv;
    t[120] = u"%1 values, from the current column on the table has room for %2"sv;
    t[121] = u"That would make %1 layers; the table holds at most 999."sv;
    t[122] = u"empty"sv;
    t[123] = u"A cell is in error; correct it before the table is taken over: "sv;
    t[124] = u"Generate lifts"sv;
    t[125] = u"Offset of the surface the lifts are built on (m)"sv;
    t[126] = u"Offset of the top of the last lift (m)"sv;
    t[127] = u"Lift thickness (m)"sv;
    t[128] = u"The top of the last lift must lie above the surface."sv;
    t[129] =
        u"The lift thickness must be more than 0 m and divide the height from the surface to the top (%1 m) into whole lifts."sv;
    t[130] = u"%1 m thick"sv;
    t[131] = u"Prepared by"sv;
    t[132] = u"Checked by"sv;
    t[133] = u"Name: "sv;
    t[134] = u"Signature: "sv;
    t[140] = u"Export templates..."sv;
    t[141] = u"Import templates..."sv;
    t[142] = u"The template list is empty: there is nothing to export."sv;
    t[143] = u"The templates have been exported: "sv;
    t[144] = u"The templates could not be exported: "sv;
    t[145] =
        u"This template holds a value that a layer file cannot hold, so nothing was exported. Correct it or remove it from the template list first: "sv;
    t[146] =
        u"The template list holds %1 layers and this file would add %2 new ones, more than the 100 the template list can hold. Nothing was imported."sv;
    t[147] =
        u"These layer names are in the template list already: %1\n\nYes: overwrite them with the values from the file.\nNo: keep them as they are and add only the new names."sv;
    t[148] = u"Templates imported: %1 added, %2 overwritten."sv;
    t[149] =
        u"The template list was changed by another copy of the program meanwhile. Nothing was imported; please import the file again."sv;
    t[150] = u"%1: \"%2\" is not a valid number"sv;
    t[151] = u"%1: \"%2\" is written with a decimal comma. Use a point (.) as the decimal mark: %3"sv;
    t[152] = u"The file could not be written: %1\n%2"sv;
    t[153] = u"The settings could not be saved in %1:\n%2"sv;
    t[154] = u"The setting \"%1\" holds a value of the wrong type"sv;
    return t;
}();

// Dutch texts, base 2000.
constexpr TextTable kDutchTexts = [] {
    TextTable t{};
    t[0] = u"OK"sv;
    t[1] = u"Afbreken"sv;
    t[2] = u">> Verder"sv;
    t[3] = u"<< Terug"sv;
    t[12] = u"Om de gekozen taal te activeren, herstart de applicatie. "sv;
    t[13] = u"Welkom bij de wizard voor het aanmaken van de layer file voor MC1"sv;
    t[14] =
        u"Volg de diverse stappen om de juiste layers te selecteren, de waardes te bepalen en ze toe te voegen aan de layerfile."sv;
    t[15] = u"Kies >> om verder te gaan naar de volgende stap. "sv;
    t[16] = u"Kies de referentie file"sv;
    t[17] = u"Kies het referentie model (ontwerp) dat gebruikt gaat worden met de layer file"sv;
    t[18] = u"Klik hier om file te kiezen"sv;
    t[19] = u"Layer files toevoegen"sv;
    t[20] =
        u"Voeg nieuwe layers toe door deze aan te maken of te selecteren uit de template lijst.\nIn de boomstructuur staan de reeds toegevoegde layers. Er moeten tenminste 2 layers gemaakt worden!"sv;
    t[21] = u"Commentaar toevoegen"sv;
    t[22] =
        u"Aan de layer file kunnen een drietal regels commentaar toegevoegd worden. Deze opmerkingen zijn optioneel toe te voegen aan de file. Voer deze per regel in en druk op de groene + voor toevoegen. (max 3 regels)"sv;
    t[23] = u"Bewerk commentaar of laag"sv;
    t[24] = u"Verwijder commentaar of laag"sv;
    t[25] = u"Voeg layer toe aan template"sv;
    t[26] = u"Bewerk commentaar regels"sv;
    t[27] = u"Bewerk de commentaar regel en kies OK om op te slaan"sv;
    t[28] = u"Voeg nieuwe layer toe door onderstaande velden in te vullen"sv;
    t[29] = u"Laag toevoegen"sv;
    t[30] = u"Laag Naam"sv;
    t[31] = u"Offset (m)"sv;
    t[32] = u"Passcount Doel #"sv;
    t[33] = u"Passcount Tolerantie"sv;
    t[34] = u"Doelsnelheid km/h"sv;
    t[35] = u"Snelheid Tolerantie"sv;
    t[36] = u"CMV Doel"sv;
    t[37] = u"Nieuwe Laag"sv;
    t[38] = u"Layer file opslaan"sv;
    t[39] =
        u"De layer file wordt automatisch opgeslagen op dezelfde locatie als de referentie file\n De applicatie kan nu worden afgesloten"sv;
    t[40] = u"Afsluiten"sv;
    t[41] = u"Aanmaken van de layer file is mislukt. Probeer opnieuw"sv;
    t[42] = u"De layer file is aangemaakt: "sv;
    t[43] = u"Fout bij selecteren. selecteer eerst en kies dan rechter muisknop"sv;
    t[44] =
        u"Maximaal aantal layers in de template opslag is bereikt\nVerminder het aantal layers door de template file op te schonen en\nongebruikte lagen te veerwijderen"sv;
    t[45] = u"Laag toegevoegd aan template file: "sv;
    t[46] = u"Laag verwijderen uit template lijst"sv;
    t[47] = u"Bewerkte laag overschrijven in templatelijst"sv;
    t[48] = u"Laag is opgeslagen in template file "sv;
    t[49] = u"Selecteer en kies rechtermuisknop voor meer opties"sv;
    t[50] = u"Gekozen laag is verwijderd uit de templatelijst"sv;
    t[51] = u"Koppel layerfile aan geselecteerde model"sv;
    t[52] = u"Er zijn twee of meer lagen met dezelfde offset!"sv;
    t[53] =
        u"Punt (.) en komma (,) zijn niet toegestaan in de laagnaam.\nDe laagnaam is ingekort. Kies bewerken om de naam weer aan te passen"sv;
    t[54] = u"Layer file openen"sv;
    t[55] = u"De layer file is ingelezen: "sv;
    t[56] = u"Deze file kan niet als layer file gelezen worden. Er is niets gewijzigd. Eerste regel met een fout: "sv;
    t[57] = u"De tot nu toe ingevoerde commentaar regels en lagen worden vervangen. Doorgaan?"sv;
    t[58] = u"Deze file kan niet geopend worden, is te groot of is geen gewone file. Er is niets gewijzigd: "sv;
    t[59] = u"Ja"sv;
    t[60] = u"Nee"sv;
    t[61] = u"Layer file (*.csv)"sv;
    t[62] = u"Alle files (*)"sv;
    t[63] = u"%1 velden, een layer file heeft er 7"sv;
    t[64] = u"geen kopregel van een layer file"sv;
    t[65] = u"geen commentaar regel (\"# \" en de tekst) en geen kolomnamen"sv;
    t[66] = u"niet de kolomnamen, die na hoogstens drie commentaar regels komen"sv;
    t[67] = u"de file houdt op voor de kolomnamen"sv;
    t[68] = u"\"%1\" is geen getal met een decimale punt"sv;
    t[69] = u"\"%1\" is geen geheel getal van 0 tot 100"sv;
    t[70] = u"meer dan 999 lagen"sv;
    t[71] = u"een lege rij voor de laatste laag"sv;
    t[72] = u"bevat \uFFFD, een letter die verloren ging toen de file ooit in een andere tekenset werd opgeslagen"sv;
    t[73] = u"geen UTF-8 tekst, hoewel de file met het UTF-8 teken begint"sv;
    t[74] = u"langer dan 255 tekens"sv;
    t[75] = u"bevat een stuurteken"sv;
    t[76] = u"bevat een \";\", die een laagnaam of commentaar regel niet kan bevatten"sv;
    t[77] =
        u"Regels die het volgende opslaan verandert: %2, de eerste is regel %1 (waarden krijgen twee decimalen, namen eindigen voor \".\" of \",\", letters die de layer file niet kan bevatten worden \"?\")."sv;
    t[78] =
        u"Regels met een waarde die geen verdichtingslaag heeft: %2, de eerste is regel %1 (offsets liggen meestal binnen -10 \u2026 +10 m, doelsnelheden binnen 0.5 \u2026 30 km/h). Controleer ze voordat de file wordt geschreven."sv;
    t[79] = u"Doorsnede van de lagen"sv;
    t[80] = u"Ongebruikelijke offset: buiten -10 tot +10 m"sv;
    t[81] = u"Ongebruikelijke doelsnelheid: buiten 0.5 tot 30 km/h"sv;
    t[82] = u"Opslaan als PDF\u2026"sv;
    t[83] = u"Het lagenblad kan niet worden opgeslagen: "sv;
    t[84] = u"Het lagenblad is opgeslagen: "sv;
    t[85] = u"Lagenblad"sv;
    t[86] = u"Referentiemodel: "sv;
    t[87] = u"Layer file: "sv;
    t[88] = u"Datum: "sv;
    t[89] = u"gelijke offsets"sv;
    t[90] = u"overgangen"sv;
    t[91] = u"Nog geen lagen"sv;
    t[92] =
        u"Letters en tekens buiten A tot Z, zoals \"\u00F8\" of \"\u2013\", zijn gelezen in de tekenset %1. Controleer ze voordat de file wordt geschreven."sv;
    t[100] =
        u"Op %1 om %2 is werk bewaard waarvan de layer file nog niet was aangemaakt (lagen: %3, commentaar regels: %4). Herstellen?"sv;
    t[101] = u"Bewaard werk dat niet is aangeboden of niet gelezen kan worden, is apart gezet:"sv;
    t[102] = u"De vervangen file had een andere inhoud; er is een kopie van bewaard: "sv;
    t[103] = u"De vervangen file had een andere inhoud, en er kon geen kopie van worden bewaard in: "sv;
    t[104] =
        u"Het ingevoerde werk kan niet worden bewaard voor een herstart na een vastloper of stroomstoring. Controleer deze map: "sv;
    t[110] = u"Dikte (m)"sv;
    t[111] = u"Lagentabel..."sv;
    t[112] = u"Lagentabel"sv;
    t[113] = u"Ophooglagen genereren..."sv;
    t[114] = u"Rijen verwijderen"sv;
    t[115] = u"De wijzigingen in de tabel verwerpen?"sv;
    t[116] = u"Er is niets geplakt, de tabel is ongewijzigd:"sv;
    t[117] = u"Rij %1"sv;
    t[118] = u"De geplakte getallen gebruiken \",\" als decimaalteken en zijn zo gelezen."sv;
    t[119] =
        u"De geplakte getallen gebruiken zowel \",\" als \".\" als decimaalteken. Er is niets geplakt. Eerste cel met het andere teken: "sv;
    t[120] = u"%1 waarden, vanaf de huidige kolom heeft de tabel plaats voor %2"sv;
    t[121] = u"Dat zou %1 lagen geven; de tabel bevat hoogstens 999 lagen."sv;
    t[122] = u"leeg"sv;
    t[123] = u"Een cel bevat een fout; verbeter die voordat de tabel wordt overgenomen: "sv;
    t[124] = u"Ophooglagen genereren"sv;
    t[125] = u"Offset van het vlak waarop de lagen komen (m)"sv;
    t[126] = u"Offset van de bovenkant van de laatste laag (m)"sv;
    t[127] = u"Laagdikte (m)"sv;
    t[128] = u"De bovenkant van de laatste laag moet boven het vlak liggen."sv;
    t[129] =
        u"De laagdikte moet groter zijn dan 0 m en de hoogte van het vlak tot de bovenkant (%1 m) in hele lagen verdelen."sv;
    t[130] = u"%1 m dik"sv;
    t[131] = u"Opgesteld door"sv;
    t[132] = u"Gecontroleerd door"sv;
    t[133] = u"Naam: "sv;
    t[134] = u"Handtekening: "sv;
    t[140] = u"Templates exporteren..."sv;
    t[141] = u"Templates importeren..."sv;
    t[142] = u"De templatelijst is leeg: er is niets te exporteren."sv;
    t[143] = u"De templates zijn ge\u00EBxporteerd: "sv;
    t[144] = u"De templates konden niet worden ge\u00EBxporteerd: "sv;
    t[145] =
        u"Deze template bevat een waarde die een layer file niet kan bevatten, daarom is er niets ge\u00EBxporteerd. Pas de template eerst aan of verwijder hem uit de templatelijst: "sv;
    t[146] =
        u"De templatelijst bevat %1 lagen en deze file zou er %2 nieuwe aan toevoegen, meer dan de 100 die de templatelijst kan bevatten. Er is niets ge\u00EFmporteerd."sv;
    t[147] =
        u"Deze laagnamen staan al in de templatelijst: %1\n\nJa: overschrijf ze met de waarden uit de file.\nNee: laat ze zoals ze zijn en voeg alleen de nieuwe namen toe."sv;
    t[148] = u"Templates ge\u00EFmporteerd: %1 toegevoegd, %2 overschreven."sv;
    t[149] =
        u"De templatelijst is intussen gewijzigd door een ander exemplaar van het programma. Er is niets ge\u00EFmporteerd; importeer de file opnieuw."sv;
    t[150] = u"%1: \"%2\" is geen geldig getal"sv;
    t[151] = u"%1: \"%2\" is geschreven met een decimale komma. Gebruik een punt (.) als decimaalteken: %3"sv;
    t[152] = u"De file kon niet worden geschreven: %1\n%2"sv;
    t[153] = u"De instellingen konden niet worden opgeslagen in %1:\n%2"sv;
    t[154] = u"De instelling \"%1\" heeft een waarde van het verkeerde type"sv;
    return t;
}();

// Norwegian texts, base 3000.
constexpr TextTable kNorwegianTexts = [] {
    TextTable t{};
    t[0] = u"OK"sv;
    t[1] = u"Avbryt"sv;
    t[2] = u">> Fortsett"sv;
    t[3] = u"<< Tilbake"sv;
    t[12] = u"For å aktivere det valgte språket, start applikasjonen på nytt."sv;
    t[13] = u"Velkommen til veiviseren for å lage lagsfilen for MC1"sv;
    t[14] = u"Følg de forskjellige trinnene for å generere lagsfiler med egendefinerte verdier. Lekende lett :)"sv;
    t[15] = u"Velg >> for å fortsette til neste trinn."sv;
    t[16] = u"Lagre som"sv;
    t[17] = u"Velg eventuell referansemodellen som skal knyttes til lagfilen"sv;
    t[18] = u"Klikk her for å velge fil"sv;
    t[19] = u"Legge til lag"sv;
    t[20] =
        u"Legg til nye lag ved å opprette eller velge dem fra listen.\nTrestrukturen inneholder lagene som allerede er lagt til. Minst 2 lag må opprettes!"sv;
    t[21] = u"Legg til kommentar"sv;
    t[22] =
        u"Tre linjer med kommentarer kan legges til lagfilen. Disse kommentarene legges til filen. Trykk på den grønne + for å legge til. (maks 3 linjer)"sv;
    t[23] = u"Rediger kommentar eller lag"sv;
    t[24] = u"Fjern kommentar eller lag"sv;
    t[25] = u"Legg lag til mal"sv;
    t[26] = u"Rediger kommentarlinjer"sv;
    t[27] = u"Rediger kommentarlinjen og velg OK for å lagre"sv;
    t[28] = u"Legg til nytt lag ved å fylle ut feltene under"sv;
    t[29] = u"Legg til lag"sv;
    t[30] = u"Lag Navn"sv;
    t[31] = u"Offset (m)"sv;
    t[32] = u"Passcount Target #"sv;
    t[33] = u"Passcount Tolerance"sv;
    t[34] = u"Målhastighet km/t"sv;
    t[35] = u"Hastighets toleranse"sv;
    t[36] = u"CMV-mål"sv;
    t[37] = u"Nytt lag"sv;
    t[38] = u"Lagre lagfil"sv;
    t[39] = u"Lagfilen lagres automatisk på samme sted som referansefilen\n Applikasjonen kan nå lukkes"sv;
    t[40] = u"Avslutt"sv;
    t[41] = u"Kunne ikke opprette lagfilen. Prøv igjen"sv;
    t[42] = u"Lagfilen er opprettet: "sv;
    t[43] = u"Feil ved valg. Velg først og velg deretter høyre museknapp"sv;
    t[44] =
        u"Maksimalt antall lag i mallageret er nådd\nReduser antall lag ved å rydde opp i malfilen og\nslette ubrukte lag"sv;
    t[45] = u"Lag lagt til liste: "sv;
    t[46] = u"Fjern lag fra liste"sv;
    t[47] = u"Overskriv redigert lag i liste"sv;
    t[48] = u"Laget er lagret i mal"sv;
    t[49] = u"Velg og høyreklikk for flere alternativer"sv;
    t[50] = u"Det valgte laget er fjernet fra listen"sv;
    t[51] = u"Koble lagsfil til valgt modell"sv;
    t[52] = u"Det er to eller flere lag med samme offset!"sv;
    t[53] =
        u"Punkt (.) og komma (,) er ikke tillatt i lagnavn.\nLagnavnet er avkortet. Bruk rediger for å gi nytt navn til laget om nødvendig."sv;
    t[54] = u"Åpne en lagfil"sv;
    t[55] = u"Lagfilen er lest inn: "sv;
    t[56] = u"Denne filen kan ikke leses som en lagfil. Ingenting er endret. Første linje med feil: "sv;
    t[57] = u"Kommentarlinjene og lagene som er lagt inn så langt, blir erstattet. Fortsette?"sv;
    t[58] = u"Denne filen kan ikke åpnes, er for stor eller er ikke en vanlig fil. Ingenting er endret: "sv;
    t[59] = u"Ja"sv;
    t[60] = u"Nei"sv;
    t[61] = u"Lagfil (*.csv)"sv;
    t[62] = u"Alle filer (*)"sv;
    t[63] = u"%1 felt, en lagfil har 7"sv;
    t[64] = u"ikke overskriften til en lagfil"sv;
    t[65] = u"verken en kommentarlinje (\"# \" og teksten) eller kolonnenavnene"sv;
    t[66] = u"ikke kolonnenavnene, som kommer etter h\u00F8yst tre kommentarlinjer"sv;
    t[67] = u"filen slutter f\u00F8r kolonnenavnene"sv;
    t[68] = u"\"%1\" er ikke et tall med desimalpunktum"sv;
    t[69] = u"\"%1\" er ikke et heltall fra 0 til 100"sv;
    t[70] = u"mer enn 999 lag"sv;
    t[71] = u"en tom rad f\u00F8r det siste laget"sv;
    t[72] = u"inneholder \uFFFD, en bokstav som gikk tapt da filen en gang ble lagret i et annet tegnsett"sv;
    t[73] = u"ikke UTF-8-tekst, selv om filen begynner med UTF-8-merket"sv;
    t[74] = u"lengre enn 255 tegn"sv;
    t[75] = u"inneholder et kontrolltegn"sv;
    t[76] = u"inneholder \";\", som et lagnavn eller en kommentarlinje ikke kan inneholde"sv;
    t[77] =
        u"Linjer som neste lagring endrer: %2, den f\u00F8rste er linje %1 (verdier f\u00E5r to desimaler, navn slutter f\u00F8r \".\" eller \",\", bokstaver lagfilen ikke kan inneholde blir \"?\")."sv;
    t[78] =
        u"Linjer med en verdi som intet komprimeringslag har: %2, den f\u00F8rste er linje %1 (offset ligger vanligvis innenfor -10 \u2026 +10 m, m\u00E5lhastighet innenfor 0.5 \u2026 30 km/t). Kontroller dem f\u00F8r filen skrives."sv;
    t[79] = u"Tverrsnitt av lagene"sv;
    t[80] = u"Uvanlig offset: utenfor -10 til +10 m"sv;
    t[81] = u"Uvanlig m\u00E5lhastighet: utenfor 0.5 til 30 km/t"sv;
    t[82] = u"Lagre som PDF\u2026"sv;
    t[83] = u"Lagarket kunne ikke lagres: "sv;
    t[84] = u"Lagarket er lagret: "sv;
    t[85] = u"Lagark"sv;
    t[86] = u"Referansemodell: "sv;
    t[87] = u"Lagfil: "sv;
    t[88] = u"Dato: "sv;
    t[89] = u"like offset"sv;
    t[90] = u"overfarter"sv;
    t[91] = u"Ingen lag enn\u00E5"sv;
    t[92] =
        u"Bokstaver og tegn utenfor A til Z, som \"\u00F8\" eller \"\u2013\", er lest med tegnsettet %1. Kontroller dem f\u00F8r filen skrives."sv;
    t[100] =
        u"Arbeid der lagfilen ennå ikke var opprettet, ble tatt vare på %1 kl. %2 (lag: %3, kommentarlinjer: %4). Gjenopprette det?"sv;
    t[101] = u"Arbeid som ble tatt vare på, men som ikke ble tilbudt eller ikke kan leses, er lagt til side:"sv;
    t[102] = u"Den erstattede filen hadde annet innhold; en kopi av den er tatt vare på: "sv;
    t[103] = u"Den erstattede filen hadde annet innhold, og ingen kopi av den kunne tas vare på i: "sv;
    t[104] =
        u"Arbeidet som er lagt inn, kan ikke tas vare på for en omstart etter et krasj eller strømbrudd. Kontroller denne mappen: "sv;
    t[110] = u"Tykkelse (m)"sv;
    t[111] = u"Lagtabell..."sv;
    t[112] = u"Lagtabell"sv;
    t[113] = u"Generer fyllingslag..."sv;
    t[114] = u"Fjern rader"sv;
    t[115] = u"Forkaste endringene i tabellen?"sv;
    t[116] = u"Ingenting ble limt inn, tabellen er uendret:"sv;
    t[117] = u"Rad %1"sv;
    t[118] = u"De innlimte tallene bruker \",\" som desimaltegn og er lest slik."sv;
    t[119] =
        u"De innlimte tallene blander \",\" og \".\" som desimaltegn. Ingenting ble limt inn. F\u00F8rste celle med det andre tegnet: "sv;
    t[120] = u"%1 verdier, fra gjeldende kolonne har tabellen plass til %2"sv;
    t[121] = u"Det ville gi %1 lag; tabellen rommer h\u00F8yst 999 lag."sv;
    t[122] = u"tom"sv;
    t[123] = u"En celle har en feil; rett den f\u00F8r tabellen tas i bruk: "sv;
    t[124] = u"Generer fyllingslag"sv;
    t[125] = u"Offset for flaten lagene bygges p\u00E5 (m)"sv;
    t[126] = u"Offset for toppen av det siste laget (m)"sv;
    t[127] = u"Lagtykkelse (m)"sv;
    t[128] = u"Toppen av det siste laget m\u00E5 ligge over flaten."sv;
    t[129] =
        u"Lagtykkelsen m\u00E5 v\u00E6re st\u00F8rre enn 0 m og dele h\u00F8yden fra flaten til toppen (%1 m) i hele lag."sv;
    t[130] = u"%1 m tykt"sv;
    t[131] = u"Utarbeidet av"sv;
    t[132] = u"Kontrollert av"sv;
    t[133] = u"Navn: "sv;
    t[134] = u"Underskrift: "sv;
    t[140] = u"Eksporter maler..."sv;
    t[141] = u"Importer maler..."sv;
    t[142] = u"Mallisten er tom: det er ingenting \u00E5 eksportere."sv;
    t[143] = u"Malene er eksportert: "sv;
    t[144] = u"Malene kunne ikke eksporteres: "sv;
    t[145] =
        u"Denne malen har en verdi som en lagfil ikke kan inneholde, s\u00E5 ingenting ble eksportert. Rett malen eller fjern den fra mallisten f\u00F8rst: "sv;
    t[146] =
        u"Mallisten har %1 lag, og denne filen ville legge til %2 nye, mer enn de 100 mallisten kan romme. Ingenting ble importert."sv;
    t[147] =
        u"Disse lagnavnene finnes allerede i mallisten: %1\n\nJa: overskriv dem med verdiene fra filen.\nNei: behold dem som de er, og legg bare til de nye navnene."sv;
    t[148] = u"Maler importert: %1 lagt til, %2 overskrevet."sv;
    t[149] =
        u"Mallisten ble endret av en annen kopi av programmet i mellomtiden. Ingenting ble importert; importer filen p\u00E5 nytt."sv;
    t[150] = u"%1: \"%2\" er ikke et gyldig tall"sv;
    t[151] = u"%1: \"%2\" er skrevet med desimalkomma. Bruk punktum (.) som desimaltegn: %3"sv;
    t[152] = u"Filen kunne ikke skrives: %1\n%2"sv;
    t[153] = u"Innstillingene kunne ikke lagres i %1:\n%2"sv;
    t[154] = u"Innstillingen \"%1\" har en verdi av feil type"sv;
    return t;
}();

struct Language {
    std::int64_t base;
    const TextTable* texts;
};

constexpr std::array<Language, 6> kLanguages{{
    {kEnglish, &kEnglishTexts},
    {kDutch, &kDutchTexts},
    {kNorwegian, &kNorwegianTexts},
    {kSwedish, &kSwedishTexts},
    {kFrench, &kFrenchTexts},
    {kDanish, &kDanishTexts},
}};

}  // namespace

std::u16string_view catalogueText(std::int32_t base, std::int32_t k)
{
    // A stored base that is not one of ours has no texts at all.
    bool known = false;
    for (const Language& language : kLanguages) {
        known = known || language.base == base;
    }
    if (!known) {
        return {};
    }

    // The base comes from a hand-editable setting, so the sum is taken in
    // 64 bits, where no pair of 32-bit values can overflow.
    const std::int64_t id = std::int64_t{base} + std::int64_t{k};
    for (const Language& language : kLanguages) {
        if (id >= language.base && id - language.base < std::int64_t{kTextsPerLanguage}) {
            return (*language.texts)[static_cast<std::size_t>(id - language.base)];
        }
    }
    return {};
}

}  // namespace kobalin
