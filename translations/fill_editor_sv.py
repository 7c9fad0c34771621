#!/usr/bin/env python3
"""Fills the editor's Swedish translation file from the table below; run after lupdate.

Usage: translations/fill_editor_sv.py translations/trundlex-editor_sv.ts
Prints the source texts that have no translation yet and exits 1 when there are any.
"""
import sys
import os

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from fill_ts import fill  # noqa: E402
from file_errors_sv import FILE_ERRORS_SV  # noqa: E402

SV = {
    # Files and the document
    "Trundlex level file (*.lev)": "Trundlex-banfil (*.lev)",
    "All files (*)": "Alla filer (*)",
    "Trundlex Editor": "Trundlex Editor",
    "Save changes to %1?": "Vill du spara ändringarna i %1?",
    "Open": "Öppna",
    "Save As": "Spara som",
    "Untitled": "Namnlös",
    "%1 could not be opened.": "%1 kunde inte öppnas.",
    "%1 is not a Trundlex level file, or it is damaged.\nThe level you are editing has not been changed.":
        "%1 är ingen Trundlex-banfil, eller så är den skadad.\nBanan du redigerar har inte ändrats.",
    "The level could not be saved to %1.\nAny file already there has been left as it was.\n\n%2":
        "Banan kunde inte sparas i %1.\nEn fil som redan fanns där har lämnats orörd.\n\n%2",
    "No random level could be made: the template pieces in the RBites folder are missing or damaged.\nThe level you are editing has not been changed.\n\n%1":
        "Ingen slumpbana kunde skapas: banbitarna i mappen RBites saknas eller är skadade.\nBanan du redigerar har inte ändrats.\n\n%1",
    # Main frame
    "Ready": "Klar",
    "&New": "&Ny",
    "Create a new level": "Skapa en ny bana",
    "&Open...": "&Öppna...",
    "Open a level file": "Öppna en banfil",
    "&Save": "&Spara",
    "Save the level": "Spara banan",
    "Save &As...": "Spara s&om...",
    "Save the level under a new name": "Spara banan under ett nytt namn",
    "E&xit": "A&vsluta",
    "Quit the editor; a changed level can be saved first": "Avsluta banredigeraren; en ändrad bana kan sparas först",
    "Open this level file": "Öppna den här banfilen",
    "Recent File": "Senaste filer",
    "&File": "&Arkiv",
    "&Edit": "&Redigera",
    "&Block": "&Block",
    "&Tools": "Verk&tyg",
    "&Ball": "&Boll",
    "&View": "&Visa",
    "&Help": "&Hjälp",
    "&Index": "&Handbok",
    "Open the editor's manual": "Öppna handboken",
    "&About Editor...": "&Om Editor...",
    "Program information, version number and copyright": "Programinformation, versionsnummer och upphovsrätt",
    "Toolbar": "Verktygsfält",
    "&Toolbar": "&Verktygsfält",
    "Show or hide the tool bar": "Visa eller dölj verktygsfältet",
    "&Status Bar": "&Statusfält",
    "Show or hide the status bar": "Visa eller dölj statusfältet",
    "%1 - Trundlex Editor": "%1 - Trundlex Editor",
    # About box
    "About Trundlex Editor": "Om Trundlex Editor",
    "The course editor of Trundlex: draw levels block by block, turn and mirror them, make random ones and test them with the game's own ball. Made by the Trundlex team at Brackwater Works.":
        "Banredigeraren i Trundlex: rita banor block för block, vrid och spegla dem, skapa slumpbanor och prova dem med spelets egen boll. Gjord av Trundlex-gänget på Brackwater Works.",
    "Brackwater Works on the web": "Brackwater Works på webben",
    "Write to us": "Skriv till oss",
    "Read the manual": "Läs handboken",
    # Edit menu
    "&Undo": "&Ångra",
    "Undo the last change": "Ångra den senaste ändringen",
    "&Properties...": "&Egenskaper...",
    "Change the level's name, creator and size": "Ändra banans namn, skapare och storlek",
    "Show &grid": "Visa &rutnät",
    "Show or hide the grid": "Visa eller dölj rutnätet",
    "&Modern look": "&Modernt utseende",
    "Draw the level as the game's modern look does, or in the classic look":
        "Rita banan som spelets moderna utseende gör, eller med det klassiska utseendet",
    # The slope picker
    "Slope of the brush's back material: %1": "Lutning för penselns bakgrundsmaterial: %1",
    "Slope of the brush's back material": "Lutning för penselns bakgrundsmaterial",
    "&Show the solver's putts on the level": "&Visa lösarens puttar på banan",
    "The solver found no way into the cup within the par.":
        "Lösaren hittade ingen väg i hål inom par.",
    "Putts into the cup: %1, played by the game's ball as the solver found them.":
        "Puttar i hål: %1, spelade med spelets boll så som lösaren hittade dem.",
    "Look in:": "Leta i:",
    "Computer": "Dator",
    "Back": "Bakgrund",
    "Front": "Förgrund",
    "Slope of the brush's front material, inside the block's shape: %1":
        "Lutning för penselns förgrundsmaterial, inuti blockets form: %1",
    "Slope of the brush's front material": "Lutning för penselns förgrundsmaterial",
    "Slope of the brush's front material; a square block has none, pick another shape":
        "Lutning för penselns förgrundsmaterial; ett fyrkantigt block har inget, välj en annan form",
    # The system clipboard
    "The clipboard holds no blocks to paste. Copy a part of a level in the editor first.":
        "Urklipp innehåller inga block att klistra in. Kopiera först en del av en bana i banredigeraren.",
    "The clipboard holds other text, not blocks of a level. Copy a part of a level in the editor first.":
        "Urklipp innehåller annan text, inte block från en bana. Kopiera först en del av en bana i banredigeraren.",
    "The blocks on the clipboard are damaged or cut short, and cannot be pasted.":
        "Blocken i Urklipp är skadade eller avkortade och kan inte klistras in.",
    "The blocks on the clipboard are more than %1 blocks wide or high, the most a level can have.":
        "Blocken i Urklipp är mer än %1 block breda eller höga, det mesta en bana kan ha.",
    "Rotate &back material": "Vrid &bakgrundsmaterialet",
    "Turn the slope of the brush's back material an eighth clockwise":
        "Vrid lutningen på penselns bakgrundsmaterial ett åttondels varv medurs",
    "Reset b&ack rotation": "Återställ b&akgrundens vridning",
    "Make the brush's back material flat": "Gör penselns bakgrundsmaterial plant",
    "Rotate &front material": "Vrid &förgrundsmaterialet",
    "Turn the slope of the brush's front material an eighth clockwise":
        "Vrid lutningen på penselns förgrundsmaterial ett åttondels varv medurs",
    "Reset f&ront rotation": "Återställ fö&rgrundens vridning",
    "Make the brush's front material flat": "Gör penselns förgrundsmaterial plant",
    "Rese&t front and back rotation": "Åter&ställ båda vridningarna",
    "Make both materials of the brush flat": "Gör penselns båda material plana",
    "&Swap materials": "Byt plats på &materialen",
    "Exchange the brush's back and front material": "Byt plats på penselns bakgrunds- och förgrundsmaterial",
    "R&otate block": "Vr&id blocket",
    "Turn the brush a quarter clockwise (Shift: with its slopes)":
        "Vrid penseln ett kvarts varv medurs (Skift: med lutningarna)",
    "R&otate level": "Vri&d banan",
    "Rotate the level 90 degrees": "Vrid banan 90 grader",
    "Flip &Horizontal": "Spegla &vågrätt",
    "Flips the level horizontally": "Spegla banan vågrätt",
    "Flip &Vertical": "Spegla &lodrätt",
    "Flips the level vertically": "Spegla banan lodrätt",
    "Create &Random Level": "Skapa &slumpbana",
    "Make a new level from random pieces": "Skapa en ny bana av slumpvis valda bitar",
    "&Make fit": "Beskä&r",
    "Remove unused area": "Ta bort oanvänd yta",
    # Tools
    "&Plot": "&Penna",
    "Paint every block the pointer passes": "Måla varje block som pekaren passerar",
    "&Line": "&Linje",
    "Draw a straight line of blocks": "Rita en rak linje av block",
    "&Rectangle": "&Rektangel",
    "Fill a rectangle with blocks": "Fyll en rektangel med block",
    "&Frame": "Ra&m",
    "Draw the outline of a rectangle": "Rita konturen av en rektangel",
    "F&ill": "F&yll",
    "Fill an area of equal blocks": "Fyll ett område med likadana block",
    "&Set Ball": "Placera &boll",
    "Place the ball's start (Shift: on half blocks)": "Placera bollens startpunkt (Skift: i steg om ett halvt block)",
    # Selection and regions
    "Selec&t": "Mar&kera",
    "Select a rectangle of blocks; drag inside it to move them":
        "Markera en rektangel av block; dra inuti den för att flytta blocken",
    "Cu&t": "Klipp &ut",
    "Copy the selected blocks and make them grass": "Kopiera de markerade blocken och gör dem till gräs",
    "&Copy": "K&opiera",
    "Copy the selected blocks": "Kopiera de markerade blocken",
    "&Paste": "Klistra &in",
    "Show the copied blocks under the pointer; click to put them down, Esc to drop them":
        "Visa de kopierade blocken under pekaren; klicka för att lägga ner dem, Esc för att släppa dem",
    "&Delete": "&Ta bort",
    "Make the selected blocks grass": "Gör de markerade blocken till gräs",
    "Select &All": "&Markera allt",
    "Select the whole level": "Markera hela banan",
    "Selectio&n": "Markeri&ng",
    "Rotate Selection &Clockwise": "Vrid markeringen &medurs",
    "Turn the selected or pasted blocks a quarter clockwise, slopes and all":
        "Vrid de markerade eller inklistrade blocken ett kvarts varv medurs, med lutningarna",
    "Rotate Selection C&ounter-clockwise": "Vrid markeringen m&oturs",
    "Turn the selected or pasted blocks a quarter counter-clockwise, slopes and all":
        "Vrid de markerade eller inklistrade blocken ett kvarts varv moturs, med lutningarna",
    "Flip Selection &Horizontally": "Spegla markeringen &vågrätt",
    "Mirror the selected or pasted blocks left to right":
        "Spegla de markerade eller inklistrade blocken från vänster till höger",
    "Flip Selection &Vertically": "Spegla markeringen &lodrätt",
    "Mirror the selected or pasted blocks top to bottom":
        "Spegla de markerade eller inklistrade blocken uppifrån och ned",
    "Replace Mat&erial...": "Ersätt m&aterial...",
    "Replace one material by another in the selection or the whole level":
        "Byt ett material mot ett annat i markeringen eller på hela banan",
    "Replace Material": "Ersätt material",
    "&Replace:": "&Ersätt:",
    "&With:": "&Med:",
    "Only in the &selection": "Bara i &markeringen",
    "The turned selection would not fit on the level.": "Den vridna markeringen skulle inte få plats på banan.",
    "%1 × %2": "%1 × %2",
    # Ball menu
    "Test &mode": "&Testläge",
    "Putt the ball on the level": "Putta bollen på banan",
    "&Stop": "&Stoppa",
    "Stop the rolling ball": "Stoppa den rullande bollen",
    "&Paus": "&Paus",
    "&Half": "&Halv",
    "&Normal": "&Normal",
    "X&2": "X&2",
    "X&3": "X&3",
    "X&4": "X&4",
    "Super": "Super",
    "Ultra": "Ultra",
    "Stop ball": "Stoppa bollen",
    "Half speed": "Halv hastighet",
    "Normal speed": "Normal hastighet",
    "Double speed": "Dubbel hastighet",
    "Triple speed": "Tredubbel hastighet",
    "Quadruple speed": "Fyrdubbel hastighet",
    "Move the ball as fast as possible": "Flytta bollen så fort som möjligt",
    "Jump to where the ball stops": "Flytta bollen direkt dit den stannar",
    "Pl&ay sound": "Spela &ljud",
    "Switch the test ball's sounds on or off": "Slå på eller stäng av testbollens ljud",
    # Level Properties
    "Level Properties": "Banegenskaper",
    "&Creator:": "&Skapare:",
    "&Name:": "&Namn:",
    "&Width:": "&Bredd:",
    "&Height:": "&Höjd:",
    "Please enter an integer between %1 and %2.": "Skriv ett heltal mellan %1 och %2.",
    # Qt's standard buttons
    "OK": "OK",
    "Cancel": "Avbryt",
    "Close": "Stäng",
    "&Yes": "&Ja",
    "&No": "&Nej",
    "Save": "Spara",
    "Help": "Hjälp",
    # Editor history, zoom and file safety
    "&Redo": "&Gör om",
    "Redo the last change undone": "Gör om den senast ångrade ändringen",
    "Zoom &In": "Zooma &in",
    "Show the level larger": "Visa banan större",
    "Zoom &Out": "Zooma &ut",
    "Show the level smaller": "Visa banan mindre",
    "&Fit Level": "&Hela banan",
    "Show the whole level": "Visa hela banan",
    "Stop &ball": "Stoppa &bollen",
    "&About Trundlex Editor...": "&Om Trundlex Editor...",
    "%1[*] - Trundlex Editor": "%1[*] - Trundlex Editor",
    "%1 is not a Trundlex level file, or it is damaged.": "%1 är ingen Trundlex-banfil, eller så är den skadad.",
    "%1 could not be opened: the file does not exist.": "%1 kunde inte öppnas: filen finns inte.",
    "%1 could not be opened: you may not read it, or it is a folder.":
        "%1 kunde inte öppnas: du har inte behörighet att läsa den, eller så är det en mapp.",
    "The level you are editing has not been changed.": "Banan du redigerar har inte ändrats.",
    "%1 is too large to be a Trundlex level file.": "%1 är för stor för att vara en Trundlex-banfil.",
    # A link or the manual that cannot be opened is named in the message.
    "Can't open %1.": "Kan inte öppna %1.",
    "The file was not found.": "Filen hittades inte.",
    "No program was found to open it.": "Inget program som kan öppna den hittades.",
    # A level brought back after the editor ended without saving it.
    "Restore the unsaved level \"%1\" (untitled) from %2?": "Vill du återställa den osparade banan ”%1” (namnlös) från %2?",
    "Restore the unsaved level \"%1\" of %2 from %3?": "Vill du återställa den osparade banan ”%1” i %2 från %3?",
    # Status bar, palette names and tips, Check Level, save warnings and save error details
    "Square": "Kvadrat",
    "Circle": "Cirkel",
    "Triangle": "Triangel",
    "Quarter disc": "Kvartscirkel",
    "Half disc": "Halvcirkel",
    "Grass": "Gräs",
    "Wall": "Vägg",
    "Ice": "Is",
    "Cup": "Hål",
    "Sand": "Sand",
    "Water": "Vatten",
    "downhill to the right": "nedför åt höger",
    "downhill to the upper right": "nedför snett upp åt höger",
    "downhill toward the top": "nedför mot överkanten",
    "downhill to the upper left": "nedför snett upp åt vänster",
    "downhill to the left": "nedför åt vänster",
    "downhill to the lower left": "nedför snett ned åt vänster",
    "downhill toward the bottom": "nedför mot nederkanten",
    "downhill to the lower right": "nedför snett ned åt höger",
    "flat": "plan",
    "%1, %2": "%1, %2",
    "%1 turned %2°": "%1 vriden %2°",
    "%1; back: %2; front: %3": "%1; bakgrund: %2; förgrund: %3",
    "Test mode is on: click on the level where the ball should roll, the farther away the harder. Ctrl+T ends it and brings the palettes back.":
        "Testläget är på: klicka på banan dit bollen ska rulla, ju längre bort desto hårdare. Ctrl+T avslutar det och ger tillbaka paletterna.",
    "Left click: shape or back material.  Right click: front material.  On the level, right click picks a block up.":
        "Vänsterklick: form eller bakgrundsmaterial.  Högerklick: förgrundsmaterial.  På banan tar högerklick upp ett block.",
    "%1: left click gives the brush this shape": "%1: vänsterklick ger penseln den här formen",
    "%1: left click for the brush's back, right click for its front":
        "%1: vänsterklick för penselns bakgrund, högerklick för dess förgrund",
    "Back material: %1. Click to turn its slope, right click to make it flat":
        "Bakgrundsmaterial: %1. Klicka för att vrida lutningen, högerklicka för att göra det plant",
    "Front material: %1. Click to turn its slope, right click to make it flat":
        "Förgrundsmaterial: %1. Klicka för att vrida lutningen, högerklicka för att göra det plant",
    "The brush: %1. Click to turn it (Shift: with its slopes)":
        "Penseln: %1. Klicka för att vrida den (Skift: med lutningarna)",
    # Test mode's word on the putts
    "In the cup with the first stroke: a hole in one": "I koppen på första slaget: hole in one",
    "In the cup in %1 strokes": "I koppen på %1 slag",
    "Water: the ball is back where the putt began. Strokes: %1":
        "Vatten: bollen är tillbaka där puttningen började. Slag: %1",
    "Off the level: the ball is back where the putt began. Strokes: %1":
        "Utanför banan: bollen är tillbaka där puttningen började. Slag: %1",
    "Strokes: %1": "Slag: %1",
    "Test mode: click where the ball should go; the farther from the ball, the harder the putt. Space stops it.":
        "Testläge: klicka dit bollen ska; ju längre från bollen, desto hårdare putt. Mellanslag stoppar den.",
    "(%1, %2) %3": "(%1, %2) %3",
    "Tool: %1": "Verktyg: %1",
    "Zoom %1%": "Zoom %1%",
    "&Check Level...": "&Kontrollera banan...",
    "Look for what keeps the level from being played, and work out its par":
        "Leta efter det som hindrar banan från att spelas, och räkna ut dess par",
    "Check Level": "Kontrollera banan",
    "Check &Again": "Kontrollera &igen",
    "Working out par...": "Räknar ut par...",
    "The level has changed since it was checked: choose Check Again.":
        "Banan har ändrats sedan den kontrollerades: välj Kontrollera igen.",
    "No problems found.": "Inga problem hittades.",
    "The level has no cup.": "Banan har inget hål.",
    "The ball starts outside the level.": "Bollen startar utanför banan.",
    "The ball starts inside a wall (%1).": "Bollen startar inne i en vägg (%1).",
    "The ball starts in water (%1).": "Bollen startar i vatten (%1).",
    "column %1, row %2": "kolumn %1, rad %2",
    "%1, %2": "%1, %2",
    "%1 and %2": "%1 och %2",
    "Two cups: %1.": "Två hål: %1.",
    "%n cups: %1.": ("%n hål: %1.", "%n hål: %1."),
    "The par is worked out once these problems are put right.":
        "Par räknas ut när de här problemen är åtgärdade.",
    "Par %1.": "Par %1.",
    "Par %1: a careful player mostly did not hole out within %1 strokes, the most a hole allows, but perfect putts can; a par goes no higher, so the level is harder than its par says.":
        "Par %1: en noggrann spelare klarade oftast inte banan inom %1 slag, det mesta ett hål "
        "tillåter, men med perfekta slag går det; högre blir inte par, så banan är svårare än "
        "dess par säger.",
    "The level cannot be holed in %1 strokes.": "Banan kan inte klaras på %1 slag.",
    "%1\n\nSave the level anyway?": "%1\n\nVill du spara banan ändå?",
    # Saving over a file's level by one that lacks its cup or most of its squares
    "Saving would replace the level in %1.\n\n%2\n\nReplace it anyway?":
        "Om du sparar ersätts banan i %1.\n\n%2\n\nVill du ersätta den ändå?",
    "The level in the file has a cup; the level you are saving has none.":
        "Banan i filen har ett hål; banan du sparar har inget.",
    "The level in the file is %1 x %2 squares; the level you are saving is only %3 x %4.":
        "Banan i filen är %1 x %2 rutor; banan du sparar är bara %3 x %4.",
    # The user's courses follow a level saved with a new ID
    "One of your courses uses this level.": "En av dina bansamlingar använder den här banan.",
    "%1 of your courses use this level.": "%1 av dina bansamlingar använder den här banan.",
    "The changed level has been saved with a new ID, so a course that still lists the old one will miss it. Update the courses to the changed level? Their high scores are kept.":
        "Den ändrade banan har sparats med ett nytt ID, så en bansamling som fortfarande har det gamla kommer att sakna den. Vill du uppdatera bansamlingarna till den ändrade banan? Deras topplistor behålls.",
    "The level was saved, but these courses could not be updated and still list it as it was before:\n\n%1":
        "Banan sparades, men de här bansamlingarna kunde inte uppdateras och har den kvar som den var förut:\n\n%1",
    # The level into the game: Play in game and Add to course
    "&Play in Game": "S&pela i spelet",
    "Start the game on this level, saved first if you wish":
        "Starta spelet på den här banan, sparad först om du vill",
    "Add to &Course...": "Lägg till i &bansamling...",
    "Put this level at the end of one of your courses, or start a new course with it":
        "Lägg banan sist i en av dina bansamlingar, eller börja en ny bansamling med den",
    "The game could not be started: %1 was not found beside the editor.":
        "Spelet kunde inte startas: %1 finns inte bredvid banredigeraren.",
    "The game could not be started: %1 did not run.":
        "Spelet kunde inte startas: %1 gick inte att köra.",
    "The game reads levels only from its levels folders, so a course could not find %1 where it is saved now.\nSave the level in your own levels folder with Save As (it opens there), then add it to a course.":
        "Spelet läser banor bara från sina banmappar, så en bansamling skulle inte hitta %1 där den är sparad nu.\nSpara banan i din egen banmapp med Spara som (den öppnas där) och lägg sedan till den i en bansamling.",
    "%1 could not be read back as a level, so it was not added to a course.":
        "%1 kunde inte läsas tillbaka som en bana, så den lades inte till i någon bansamling.",
    "The level could not be added to the course %1.\n\n%2":
        "Banan kunde inte läggas till i bansamlingen %1.\n\n%2",
    "Made the course %1 with the level %2.": "Skapade bansamlingen %1 med banan %2.",
    "Added the level %1 to the course %2.": "Lade till banan %1 i bansamlingen %2.",
    "Add to Course": "Lägg till i bansamling",
    "Add the level \"%1\" as the last hole of a course. The game lists your courses under Pick course.":
        "Lägg till banan ”%1” som sista hål i en bansamling. Spelet visar dina bansamlingar under Välj bansamling.",
    "To the end of an &existing course:": "Sist i en &befintlig bansamling:",
    "To a &new course named:": "I en &ny bansamling med namnet:",
    # Moving the whole level
    "&Shift Level": "&Flytta banan",
    "&Left": "&Vänster",
    "&Right": "&Höger",
    "&Up": "&Upp",
    "&Down": "&Ned",
    "Move every block one square left; blocks pushed over the edge are lost":
        "Flytta alla block en ruta åt vänster; block som skjuts över kanten försvinner",
    "Move every block one square right; blocks pushed over the edge are lost":
        "Flytta alla block en ruta åt höger; block som skjuts över kanten försvinner",
    "Move every block one square up; blocks pushed over the edge are lost":
        "Flytta alla block en ruta uppåt; block som skjuts över kanten försvinner",
    "Move every block one square down; blocks pushed over the edge are lost":
        "Flytta alla block en ruta nedåt; block som skjuts över kanten försvinner",
}


if __name__ == "__main__":
    sys.exit(fill(sys.argv[1], {**SV, **FILE_ERRORS_SV}))
