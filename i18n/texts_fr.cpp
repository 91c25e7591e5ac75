#include "i18n/texts.h"

namespace kobalin {

using namespace std::string_view_literals;

// French texts, base 5000.
constexpr TextTable kFrenchTexts = [] {
    TextTable t{};
    t[0] = u"OK"sv;
    t[1] = u"Annuler"sv;
    t[2] = u">> Continuer"sv;
    t[3] = u"<< Retour"sv;
    t[12] = u"Red\u00E9marrez l'application pour activer la langue choisie."sv;
    t[13] = u"Bienvenue dans l'assistant de cr\u00E9ation du fichier de couches pour MC1"sv;
    t[14] =
        u"Suivez les \u00E9tapes pour choisir les bonnes couches, d\u00E9finir leurs valeurs et les ajouter au fichier de couches."sv;
    t[15] = u"Choisissez >> pour passer \u00E0 l'\u00E9tape suivante."sv;
    t[16] = u"Choisir le fichier de r\u00E9f\u00E9rence"sv;
    t[17] = u"Choisissez le mod\u00E8le de r\u00E9f\u00E9rence (projet) \u00E0 utiliser avec le fichier de couches"sv;
    t[18] = u"Cliquez ici pour choisir le fichier"sv;
    t[19] = u"Ajouter des couches"sv;
    t[20] =
        u"Ajoutez de nouvelles couches en les cr\u00E9ant ou en les choisissant dans la liste des gabarits.\nL'arborescence contient les couches d\u00E9j\u00E0 ajout\u00E9es. Il faut cr\u00E9er au moins 2\u00A0couches\u00A0!"sv;
    t[21] = u"Ajouter un commentaire"sv;
    t[22] =
        u"Jusqu'\u00E0 trois lignes de commentaire peuvent \u00EAtre ajout\u00E9es au fichier de couches. Elles sont facultatives. Saisissez-les une par une et appuyez sur le + vert pour les ajouter. (3\u00A0lignes max.)"sv;
    t[23] = u"Modifier le commentaire ou la couche"sv;
    t[24] = u"Supprimer le commentaire ou la couche"sv;
    t[25] = u"Enregistrer la couche comme gabarit"sv;
    t[26] = u"Modifier les lignes de commentaire"sv;
    t[27] = u"Modifiez la ligne de commentaire et choisissez OK pour l'enregistrer"sv;
    t[28] = u"Ajoutez une nouvelle couche en remplissant les champs ci-dessous"sv;
    t[29] = u"Ajouter une couche"sv;
    t[30] = u"Nom de la couche"sv;
    t[31] = u"D\u00E9calage (m)"sv;
    t[32] = u"Passes, cible #"sv;
    t[33] = u"Passes, tol\u00E9rance"sv;
    t[34] = u"Vitesse cible km/h"sv;
    t[35] = u"Vitesse, tol\u00E9rance"sv;
    t[36] = u"CMV cible"sv;
    t[37] = u"Nouvelle couche"sv;
    t[38] = u"Enregistrer le fichier de couches"sv;
    t[39] =
        u"Le fichier de couches est enregistr\u00E9 automatiquement au m\u00EAme endroit que le fichier de r\u00E9f\u00E9rence\n L'application peut maintenant \u00EAtre ferm\u00E9e"sv;
    t[40] = u"Quitter"sv;
    t[41] = u"Impossible de cr\u00E9er le fichier de couches. R\u00E9essayez"sv;
    t[42] = u"Le fichier de couches a \u00E9t\u00E9 cr\u00E9\u00E9\u00A0: "sv;
    t[43] = u"Erreur de s\u00E9lection. S\u00E9lectionnez d'abord, puis cliquez avec le bouton droit"sv;
    t[44] =
        u"Le nombre maximal de couches dans les gabarits est atteint\nR\u00E9duisez le nombre de couches en faisant le tri dans le fichier de gabarits et\nen supprimant les couches inutilis\u00E9es"sv;
    t[45] = u"Couche ajout\u00E9e au fichier de gabarits\u00A0: "sv;
    t[46] = u"Supprimer la couche de la liste des gabarits"sv;
    t[47] = u"Remplacer la couche modifi\u00E9e dans la liste des gabarits"sv;
    t[48] = u"La couche est enregistr\u00E9e dans le fichier de gabarits "sv;
    t[49] = u"S\u00E9lectionnez, puis faites un clic droit pour plus d'options"sv;
    t[50] = u"La couche choisie a \u00E9t\u00E9 supprim\u00E9e de la liste des gabarits"sv;
    t[51] = u"Lier le fichier de couches au mod\u00E8le choisi"sv;
    t[52] = u"Deux couches ou plus ont le m\u00EAme d\u00E9calage\u00A0!"sv;
    t[53] =
        u"Le point (.) et la virgule (,) ne sont pas autoris\u00E9s dans les noms de couche.\nLe nom de la couche a \u00E9t\u00E9 tronqu\u00E9. Utilisez Modifier pour la renommer si n\u00E9cessaire."sv;
    t[54] = u"Ouvrir un fichier de couches"sv;
    t[55] = u"Le fichier de couches a \u00E9t\u00E9 lu\u00A0: "sv;
    t[56] =
        u"Ce fichier ne peut pas \u00EAtre lu comme fichier de couches. Rien n'a \u00E9t\u00E9 modifi\u00E9. Premi\u00E8re ligne en erreur\u00A0: "sv;
    t[57] = u"Les lignes de commentaire et les couches saisies jusqu'ici seront remplac\u00E9es. Continuer\u00A0?"sv;
    t[58] =
        u"Ce fichier ne peut pas \u00EAtre ouvert, est trop volumineux ou n'est pas un fichier ordinaire. Rien n'a \u00E9t\u00E9 modifi\u00E9\u00A0: "sv;
    t[59] = u"Oui"sv;
    t[60] = u"Non"sv;
    t[61] = u"Fichier de couches (*.csv)"sv;
    t[62] = u"Tous les fichiers (*)"sv;
    t[63] = u"%1 champs, un fichier de couches en a 7"sv;
    t[64] = u"pas l'en-t\u00EAte d'un fichier de couches"sv;
    t[65] = u"ni une ligne de commentaire (\"# \" suivi de son texte) ni les noms de colonnes"sv;
    t[66] = u"pas les noms de colonnes, qui suivent au plus trois lignes de commentaire"sv;
    t[67] = u"le fichier se termine avant les noms de colonnes"sv;
    t[68] = u"\"%1\" n'est pas un nombre avec un point d\u00E9cimal"sv;
    t[69] = u"\"%1\" n'est pas un nombre entier de 0 \u00E0 100"sv;
    t[70] = u"plus de 999\u00A0couches"sv;
    t[71] = u"une ligne vide avant la derni\u00E8re couche"sv;
    t[72] =
        u"contient \uFFFD, une lettre perdue lorsque le fichier a \u00E9t\u00E9 enregistr\u00E9 dans un autre jeu de caract\u00E8res"sv;
    t[73] = u"pas du texte UTF-8, bien que le fichier commence par la marque UTF-8"sv;
    t[74] = u"plus de 255\u00A0caract\u00E8res"sv;
    t[75] = u"contient un caract\u00E8re de contr\u00F4le"sv;
    t[76] = u"contient un \";\", qu'un nom de couche ou une ligne de commentaire ne peut pas contenir"sv;
    t[77] =
        u"Lignes que le prochain enregistrement modifiera\u00A0: %2, la premi\u00E8re est la ligne %1 (les valeurs prennent deux d\u00E9cimales, les noms s'arr\u00EAtent avant \".\" ou \",\", les lettres que le fichier de couches ne peut pas contenir deviennent \"?\")."sv;
    t[78] =
        u"Lignes avec une valeur qu'aucune couche de compactage n'a\u00A0: %2, la premi\u00E8re est la ligne %1 (le d\u00E9calage se situe d'ordinaire dans -10 \u2026 +10 m, la vitesse cible dans 0.5 \u2026 30 km/h). V\u00E9rifiez-les avant l'\u00E9criture du fichier."sv;
    t[79] = u"Coupe des couches"sv;
    t[80] = u"D\u00E9calage inhabituel\u00A0: hors de -10 \u00E0 +10 m"sv;
    t[81] = u"Vitesse cible inhabituelle\u00A0: hors de 0.5 \u00E0 30 km/h"sv;
    t[82] = u"Enregistrer en PDF\u2026"sv;
    t[83] = u"La fiche des couches n'a pas pu \u00EAtre enregistr\u00E9e\u00A0: "sv;
    t[84] = u"La fiche des couches a \u00E9t\u00E9 enregistr\u00E9e\u00A0: "sv;
    t[85] = u"Fiche des couches"sv;
    t[86] = u"Mod\u00E8le de r\u00E9f\u00E9rence\u00A0: "sv;
    t[87] = u"Fichier de couches\u00A0: "sv;
    t[88] = u"Date\u00A0: "sv;
    t[89] = u"d\u00E9calages \u00E9gaux"sv;
    t[90] = u"passes"sv;
    t[91] = u"Aucune couche pour l'instant"sv;
    t[92] =
        u"Les lettres et signes au-del\u00E0 de A \u00E0 Z, comme \"\u00F8\" ou \"\u2013\", ont \u00E9t\u00E9 lus dans le jeu de caract\u00E8res %1. V\u00E9rifiez-les avant l'\u00E9criture du fichier."sv;
    t[100] =
        u"Un travail dont le fichier de couches n'avait pas encore \u00E9t\u00E9 cr\u00E9\u00E9 a \u00E9t\u00E9 conserv\u00E9 le %1 \u00E0 %2 (couches\u00A0: %3, lignes de commentaire\u00A0: %4). Le restaurer\u00A0?"sv;
    t[101] =
        u"Le travail conserv\u00E9 qui n'a pas \u00E9t\u00E9 propos\u00E9, ou qui ne peut pas \u00EAtre lu, a \u00E9t\u00E9 mis de c\u00F4t\u00E9\u00A0:"sv;
    t[102] =
        u"Le fichier remplac\u00E9 avait un autre contenu\u00A0; une copie de ce fichier a \u00E9t\u00E9 conserv\u00E9e\u00A0: "sv;
    t[103] =
        u"Le fichier remplac\u00E9 avait un autre contenu, et aucune copie n'a pu en \u00EAtre conserv\u00E9e dans\u00A0: "sv;
    t[104] =
        u"Le travail saisi ne peut pas \u00EAtre conserv\u00E9 pour une reprise apr\u00E8s un plantage ou une coupure de courant. V\u00E9rifiez ce dossier\u00A0: "sv;
    t[110] = u"\u00C9paisseur (m)"sv;
    t[111] = u"Tableau des couches..."sv;
    t[112] = u"Tableau des couches"sv;
    t[113] = u"G\u00E9n\u00E9rer des lev\u00E9es..."sv;
    t[114] = u"Supprimer les lignes"sv;
    t[115] = u"Abandonner les modifications faites dans le tableau\u00A0?"sv;
    t[116] = u"Rien n'a \u00E9t\u00E9 coll\u00E9, le tableau est inchang\u00E9\u00A0:"sv;
    t[117] = u"Ligne %1"sv;
    t[118] = u"Les nombres coll\u00E9s utilisent \",\" comme s\u00E9parateur d\u00E9cimal et ont \u00E9t\u00E9 lus ainsi."sv;
    t[119] =
        u"Les nombres coll\u00E9s m\u00E9langent \",\" et \".\" comme s\u00E9parateur d\u00E9cimal. Rien n'a \u00E9t\u00E9 coll\u00E9. Premi\u00E8re cellule avec l'autre s\u00E9parateur\u00A0: "sv;
    t[120] = u"%1 valeurs, \u00E0 partir de la colonne courante le tableau a de la place pour %2"sv;
    t[121] = u"Cela donnerait %1\u00A0couches\u00A0; le tableau en contient au plus 999."sv;
    t[122] = u"vide"sv;
    t[123] = u"Une cellule est erron\u00E9e\u00A0; corrigez-la avant que le tableau soit repris\u00A0: "sv;
    t[124] = u"G\u00E9n\u00E9rer des lev\u00E9es"sv;
    t[125] = u"D\u00E9calage de la surface sur laquelle les lev\u00E9es sont construites (m)"sv;
    t[126] = u"D\u00E9calage du dessus de la derni\u00E8re lev\u00E9e (m)"sv;
    t[127] = u"\u00C9paisseur de lev\u00E9e (m)"sv;
    t[128] = u"Le dessus de la derni\u00E8re lev\u00E9e doit se trouver au-dessus de la surface."sv;
    t[129] =
        u"L'\u00E9paisseur de lev\u00E9e doit \u00EAtre sup\u00E9rieure \u00E0 0 m et diviser la hauteur de la surface au dessus (%1 m) en lev\u00E9es enti\u00E8res."sv;
    t[130] = u"%1 m d'\u00E9paisseur"sv;
    t[131] = u"\u00C9tabli par"sv;
    t[132] = u"V\u00E9rifi\u00E9 par"sv;
    t[133] = u"Nom\u00A0: "sv;
    t[134] = u"Signature\u00A0: "sv;
    t[140] = u"Exporter les gabarits..."sv;
    t[141] = u"Importer des gabarits..."sv;
    t[142] = u"La liste des gabarits est vide\u00A0: il n'y a rien \u00E0 exporter."sv;
    t[143] = u"Les gabarits ont \u00E9t\u00E9 export\u00E9s\u00A0: "sv;
    t[144] = u"Les gabarits n'ont pas pu \u00EAtre export\u00E9s\u00A0: "sv;
    t[145] =
        u"Ce gabarit contient une valeur qu'un fichier de couches ne peut pas contenir, rien n'a donc \u00E9t\u00E9 export\u00E9. Corrigez-le ou supprimez-le d'abord de la liste des gabarits\u00A0: "sv;
    t[146] =
        u"La liste des gabarits contient %1\u00A0couches et ce fichier en ajouterait %2 nouvelles, plus que les 100 qu'elle peut contenir. Rien n'a \u00E9t\u00E9 import\u00E9."sv;
    t[147] =
        u"Ces noms de couche sont d\u00E9j\u00E0 dans la liste des gabarits\u00A0: %1\n\nOui\u00A0: les remplacer par les valeurs du fichier.\nNon\u00A0: les garder tels quels et n'ajouter que les nouveaux noms."sv;
    t[148] = u"Gabarits import\u00E9s\u00A0: %1 ajout\u00E9s, %2 remplac\u00E9s."sv;
    t[149] =
        u"La liste des gabarits a \u00E9t\u00E9 modifi\u00E9e entre-temps par une autre instance du programme. Rien n'a \u00E9t\u00E9 import\u00E9\u00A0; veuillez importer le fichier \u00E0 nouveau."sv;
    t[150] = u"%1\u00A0: \"%2\" n'est pas un nombre valide"sv;
    t[151] =
        u"%1\u00A0: \"%2\" est \u00E9crit avec une virgule d\u00E9cimale. Utilisez le point (.) comme s\u00E9parateur d\u00E9cimal\u00A0: %3"sv;
    t[152] = u"Le fichier n'a pas pu \u00EAtre \u00E9crit\u00A0: %1\n%2"sv;
    t[153] = u"Les r\u00E9glages n'ont pas pu \u00EAtre enregistr\u00E9s dans %1\u00A0:\n%2"sv;
    t[154] = u"Le r\u00E9glage \"%1\" a une valeur du mauvais type"sv;
    return t;
}();

}  // namespace kobalin
