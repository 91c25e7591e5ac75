#include "i18n/texts.h"

namespace kobalin {

using namespace std::string_view_literals;

// Swedish texts, base 4000.
constexpr TextTable kSwedishTexts = [] {
    TextTable t{};
    t[0] = u"OK"sv;
    t[1] = u"Avbryt"sv;
    t[2] = u">> Forts\u00E4tt"sv;
    t[3] = u"<< Tillbaka"sv;
    t[12] = u"Starta om programmet f\u00F6r att aktivera det valda spr\u00E5ket."sv;
    t[13] = u"V\u00E4lkommen till guiden f\u00F6r att skapa lagerfilen f\u00F6r MC1"sv;
    t[14] =
        u"F\u00F6lj stegen f\u00F6r att v\u00E4lja r\u00E4tt lager, best\u00E4mma v\u00E4rdena och l\u00E4gga till dem i lagerfilen."sv;
    t[15] = u"V\u00E4lj >> f\u00F6r att g\u00E5 vidare till n\u00E4sta steg."sv;
    t[16] = u"V\u00E4lj referensfilen"sv;
    t[17] = u"V\u00E4lj referensmodellen (projekteringen) som ska anv\u00E4ndas med lagerfilen"sv;
    t[18] = u"Klicka h\u00E4r f\u00F6r att v\u00E4lja fil"sv;
    t[19] = u"L\u00E4gg till lager"sv;
    t[20] =
        u"L\u00E4gg till nya lager genom att skapa dem eller v\u00E4lja dem i mallistan.\nTr\u00E4dstrukturen visar de lager som redan har lagts till. Minst 2 lager m\u00E5ste skapas!"sv;
    t[21] = u"L\u00E4gg till kommentar"sv;
    t[22] =
        u"Upp till tre kommentarsrader kan l\u00E4ggas till i lagerfilen. Kommentarerna \u00E4r valfria. Skriv in en rad i taget och tryck p\u00E5 det gr\u00F6na + f\u00F6r att l\u00E4gga till. (max 3 rader)"sv;
    t[23] = u"Redigera kommentar eller lager"sv;
    t[24] = u"Ta bort kommentar eller lager"sv;
    t[25] = u"Spara lagret som mall"sv;
    t[26] = u"Redigera kommentarsrader"sv;
    t[27] = u"Redigera kommentarsraden och v\u00E4lj OK f\u00F6r att spara"sv;
    t[28] = u"L\u00E4gg till ett nytt lager genom att fylla i f\u00E4lten nedan"sv;
    t[29] = u"L\u00E4gg till lager"sv;
    t[30] = u"Lagernamn"sv;
    t[31] = u"Offset (m)"sv;
    t[32] = u"\u00D6verfarter, m\u00E5l #"sv;
    t[33] = u"\u00D6verfarter, tolerans"sv;
    t[34] = u"M\u00E5lhastighet km/h"sv;
    t[35] = u"Hastighet, tolerans"sv;
    t[36] = u"CMV-m\u00E5l"sv;
    t[37] = u"Nytt lager"sv;
    t[38] = u"Spara lagerfilen"sv;
    t[39] = u"Lagerfilen sparas automatiskt p\u00E5 samma plats som referensfilen\n Programmet kan nu st\u00E4ngas"sv;
    t[40] = u"Avsluta"sv;
    t[41] = u"Lagerfilen kunde inte skapas. F\u00F6rs\u00F6k igen"sv;
    t[42] = u"Lagerfilen har skapats: "sv;
    t[43] = u"Fel vid val. Markera f\u00F6rst och klicka sedan med h\u00F6ger musknapp"sv;
    t[44] =
        u"St\u00F6rsta antalet lager i mallagret har n\u00E5tts\nMinska antalet lager genom att rensa mallfilen och\nta bort oanv\u00E4nda lager"sv;
    t[45] = u"Lagret har lagts till i mallfilen: "sv;
    t[46] = u"Ta bort lagret fr\u00E5n mallistan"sv;
    t[47] = u"Skriv \u00F6ver redigerat lager i mallistan"sv;
    t[48] = u"Lagret \u00E4r sparat i mallfilen "sv;
    t[49] = u"Markera och h\u00F6gerklicka f\u00F6r fler alternativ"sv;
    t[50] = u"Det valda lagret har tagits bort fr\u00E5n mallistan"sv;
    t[51] = u"Koppla lagerfilen till den valda modellen"sv;
    t[52] = u"Det finns tv\u00E5 eller fler lager med samma offset!"sv;
    t[53] =
        u"Punkt (.) och komma (,) \u00E4r inte till\u00E5tna i lagernamn.\nLagernamnet har kortats. Anv\u00E4nd Redigera f\u00F6r att byta namn p\u00E5 lagret vid behov."sv;
    t[54] = u"\u00D6ppna en lagerfil"sv;
    t[55] = u"Lagerfilen har l\u00E4sts in: "sv;
    t[56] = u"Filen kan inte l\u00E4sas som en lagerfil. Inget har \u00E4ndrats. F\u00F6rsta felaktiga rad: "sv;
    t[57] = u"Kommentarsraderna och lagren som hittills har angetts kommer att ers\u00E4ttas. Forts\u00E4tta?"sv;
    t[58] =
        u"Filen kan inte \u00F6ppnas, \u00E4r f\u00F6r stor eller \u00E4r inte en vanlig fil. Inget har \u00E4ndrats: "sv;
    t[59] = u"Ja"sv;
    t[60] = u"Nej"sv;
    t[61] = u"Lagerfil (*.csv)"sv;
    t[62] = u"Alla filer (*)"sv;
    t[63] = u"%1 f\u00E4lt, en lagerfil har 7"sv;
    t[64] = u"inte rubrikraden i en lagerfil"sv;
    t[65] = u"varken en kommentarsrad (\"# \" och dess text) eller kolumnnamnen"sv;
    t[66] = u"inte kolumnnamnen, som f\u00F6ljer efter h\u00F6gst tre kommentarsrader"sv;
    t[67] = u"filen slutar f\u00F6re kolumnnamnen"sv;
    t[68] = u"\"%1\" \u00E4r inte ett tal med decimalpunkt"sv;
    t[69] = u"\"%1\" \u00E4r inte ett heltal fr\u00E5n 0 till 100"sv;
    t[70] = u"fler \u00E4n 999 lager"sv;
    t[71] = u"en tom rad f\u00F6re det sista lagret"sv;
    t[72] =
        u"inneh\u00E5ller \uFFFD, ett tecken som gick f\u00F6rlorat n\u00E4r filen en g\u00E5ng sparades i en annan teckenupps\u00E4ttning"sv;
    t[73] = u"inte UTF-8-text, fast filen b\u00F6rjar med UTF-8-m\u00E4rket"sv;
    t[74] = u"l\u00E4ngre \u00E4n 255 tecken"sv;
    t[75] = u"inneh\u00E5ller ett styrtecken"sv;
    t[76] = u"inneh\u00E5ller \";\", som ett lagernamn eller en kommentarsrad inte kan inneh\u00E5lla"sv;
    t[77] =
        u"Rader som n\u00E4sta skrivning \u00E4ndrar: %2, den f\u00F6rsta \u00E4r rad %1 (v\u00E4rden f\u00E5r tv\u00E5 decimaler, namn slutar f\u00F6re \".\" eller \",\", tecken som lagerfilen inte kan inneh\u00E5lla blir \"?\")."sv;
    t[78] =
        u"Rader med ett v\u00E4rde som inget packningslager har: %2, den f\u00F6rsta \u00E4r rad %1 (offset ligger oftast inom -10 \u2026 +10 m, m\u00E5lhastighet inom 0.5 \u2026 30 km/h). Kontrollera dem innan filen skrivs."sv;
    t[79] = u"Tv\u00E4rsektion av lagren"sv;
    t[80] = u"Ovanlig offset: utanf\u00F6r -10 till +10 m"sv;
    t[81] = u"Ovanlig m\u00E5lhastighet: utanf\u00F6r 0.5 till 30 km/h"sv;
    t[82] = u"Spara som PDF\u2026"sv;
    t[83] = u"Lagerbladet kunde inte sparas: "sv;
    t[84] = u"Lagerbladet har sparats: "sv;
    t[85] = u"Lagerblad"sv;
    t[86] = u"Referensmodell: "sv;
    t[87] = u"Lagerfil: "sv;
    t[88] = u"Datum: "sv;
    t[89] = u"lika offset"sv;
    t[90] = u"\u00F6verfarter"sv;
    t[91] = u"Inga lager \u00E4nnu"sv;
    t[92] =
        u"Bokst\u00E4ver och tecken ut\u00F6ver A till Z, som \"\u00F8\" eller \"\u2013\", l\u00E4stes i teckenupps\u00E4ttningen %1. Kontrollera dem innan filen skrivs."sv;
    t[100] =
        u"Arbete vars lagerfil \u00E4nnu inte hade skapats sparades den %1 kl. %2 (lager: %3, kommentarsrader: %4). \u00C5terst\u00E4lla det?"sv;
    t[101] = u"Sparat arbete som inte erbj\u00F6ds, eller som inte kan l\u00E4sas, har lagts \u00E5t sidan:"sv;
    t[102] = u"Filen som ersattes hade ett annat inneh\u00E5ll; en kopia av den filen har sparats: "sv;
    t[103] = u"Filen som ersattes hade ett annat inneh\u00E5ll, och ingen kopia av den kunde sparas i: "sv;
    t[104] =
        u"Det inmatade arbetet kan inte sparas f\u00F6r en omstart efter en krasch eller ett str\u00F6mavbrott. Kontrollera den h\u00E4r mappen: "sv;
    t[110] = u"Tjocklek (m)"sv;
    t[111] = u"Lagertabell..."sv;
    t[112] = u"Lagertabell"sv;
    t[113] = u"Skapa utl\u00E4ggningslager..."sv;
    t[114] = u"Ta bort rader"sv;
    t[115] = u"Kasta \u00E4ndringarna som gjorts i tabellen?"sv;
    t[116] = u"Inget klistrades in, tabellen \u00E4r of\u00F6r\u00E4ndrad:"sv;
    t[117] = u"Rad %1"sv;
    t[118] = u"De inklistrade talen anv\u00E4nder \",\" som decimaltecken och l\u00E4stes med det."sv;
    t[119] =
        u"De inklistrade talen blandar \",\" och \".\" som decimaltecken. Inget klistrades in. F\u00F6rsta cellen med det andra tecknet: "sv;
    t[120] = u"%1 v\u00E4rden, fr\u00E5n aktuell kolumn och fram\u00E5t har tabellen plats f\u00F6r %2"sv;
    t[121] = u"Det skulle ge %1 lager; tabellen rymmer h\u00F6gst 999."sv;
    t[122] = u"tom"sv;
    t[123] = u"En cell \u00E4r felaktig; r\u00E4tta den innan tabellen tas \u00F6ver: "sv;
    t[124] = u"Skapa utl\u00E4ggningslager"sv;
    t[125] = u"Offset f\u00F6r ytan som utl\u00E4ggningslagren byggs p\u00E5 (m)"sv;
    t[126] = u"Offset f\u00F6r \u00F6verkanten av det sista utl\u00E4ggningslagret (m)"sv;
    t[127] = u"Tjocklek per utl\u00E4ggningslager (m)"sv;
    t[128] = u"\u00D6verkanten av det sista utl\u00E4ggningslagret m\u00E5ste ligga ovanf\u00F6r ytan."sv;
    t[129] =
        u"Tjockleken m\u00E5ste vara st\u00F6rre \u00E4n 0 m och dela h\u00F6jden fr\u00E5n ytan till \u00F6verkanten (%1 m) i hela utl\u00E4ggningslager."sv;
    t[130] = u"%1 m tjockt"sv;
    t[131] = u"Uppr\u00E4ttad av"sv;
    t[132] = u"Kontrollerad av"sv;
    t[133] = u"Namn: "sv;
    t[134] = u"Underskrift: "sv;
    t[140] = u"Exportera mallar..."sv;
    t[141] = u"Importera mallar..."sv;
    t[142] = u"Mallistan \u00E4r tom: det finns inget att exportera."sv;
    t[143] = u"Mallarna har exporterats: "sv;
    t[144] = u"Mallarna kunde inte exporteras: "sv;
    t[145] =
        u"Den h\u00E4r mallen har ett v\u00E4rde som en lagerfil inte kan inneh\u00E5lla, s\u00E5 inget exporterades. R\u00E4tta den eller ta bort den fr\u00E5n mallistan f\u00F6rst: "sv;
    t[146] =
        u"Mallistan har %1 lager och den h\u00E4r filen skulle l\u00E4gga till %2 nya, fler \u00E4n de 100 som mallistan rymmer. Inget importerades."sv;
    t[147] =
        u"Dessa lagernamn finns redan i mallistan: %1\n\nJa: skriv \u00F6ver dem med v\u00E4rdena fr\u00E5n filen.\nNej: beh\u00E5ll dem som de \u00E4r och l\u00E4gg bara till de nya namnen."sv;
    t[148] = u"Mallar importerade: %1 tillagda, %2 \u00F6verskrivna."sv;
    t[149] =
        u"Mallistan \u00E4ndrades under tiden av en annan kopia av programmet. Inget importerades; importera filen igen."sv;
    t[150] = u"%1: \"%2\" \u00E4r inte ett giltigt tal"sv;
    t[151] = u"%1: \"%2\" \u00E4r skrivet med decimalkomma. Anv\u00E4nd punkt (.) som decimaltecken: %3"sv;
    t[152] = u"Filen kunde inte skrivas: %1\n%2"sv;
    t[153] = u"Inst\u00E4llningarna kunde inte sparas i %1:\n%2"sv;
    t[154] = u"Inst\u00E4llningen \"%1\" har ett v\u00E4rde av fel typ"sv;
    return t;
}();

}  // namespace kobalin
