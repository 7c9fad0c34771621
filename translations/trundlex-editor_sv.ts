<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="sv_SE">
<context>
    <name>BlockTexts</name>
    <message>
        <source>Square</source>
        <translation>Kvadrat</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Cirkel</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Triangel</translation>
    </message>
    <message>
        <source>Quarter disc</source>
        <translation>Kvartscirkel</translation>
    </message>
    <message>
        <source>Half disc</source>
        <translation>Halvcirkel</translation>
    </message>
    <message>
        <source>Grass</source>
        <translation>Gräs</translation>
    </message>
    <message>
        <source>Wall</source>
        <translation>Vägg</translation>
    </message>
    <message>
        <source>Ice</source>
        <translation>Is</translation>
    </message>
    <message>
        <source>Cup</source>
        <translation>Hål</translation>
    </message>
    <message>
        <source>Sand</source>
        <translation>Sand</translation>
    </message>
    <message>
        <source>Water</source>
        <translation>Vatten</translation>
    </message>
    <message>
        <source>downhill to the right</source>
        <translation>nedför åt höger</translation>
    </message>
    <message>
        <source>downhill to the upper right</source>
        <translation>nedför snett upp åt höger</translation>
    </message>
    <message>
        <source>downhill to the upper left</source>
        <translation>nedför snett upp åt vänster</translation>
    </message>
    <message>
        <source>downhill to the left</source>
        <translation>nedför åt vänster</translation>
    </message>
    <message>
        <source>downhill to the lower left</source>
        <translation>nedför snett ned åt vänster</translation>
    </message>
    <message>
        <source>downhill to the lower right</source>
        <translation>nedför snett ned åt höger</translation>
    </message>
    <message>
        <source>flat</source>
        <translation>plan</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 turned %2°</source>
        <translation>%1 vriden %2°</translation>
    </message>
    <message>
        <source>%1; back: %2; front: %3</source>
        <translation>%1; bakgrund: %2; förgrund: %3</translation>
    </message>
    <message>
        <source>downhill toward the top</source>
        <translation>nedför mot överkanten</translation>
    </message>
    <message>
        <source>downhill toward the bottom</source>
        <translation>nedför mot nederkanten</translation>
    </message>
</context>
<context>
    <name>BrushStripPainter</name>
    <message>
        <source>Test mode is on: click on the level where the ball should roll, the farther away the harder. Ctrl+T ends it and brings the palettes back.</source>
        <translation>Testläget är på: klicka på banan dit bollen ska rulla, ju längre bort desto hårdare. Ctrl+T avslutar det och ger tillbaka paletterna.</translation>
    </message>
    <message>
        <source>Left click: shape or back material.  Right click: front material.  On the level, right click picks a block up.</source>
        <translation>Vänsterklick: form eller bakgrundsmaterial.  Högerklick: förgrundsmaterial.  På banan tar högerklick upp ett block.</translation>
    </message>
    <message>
        <source>%1: left click gives the brush this shape</source>
        <translation>%1: vänsterklick ger penseln den här formen</translation>
    </message>
    <message>
        <source>%1: left click for the brush's back, right click for its front</source>
        <translation>%1: vänsterklick för penselns bakgrund, högerklick för dess förgrund</translation>
    </message>
    <message>
        <source>Back material: %1. Click to turn its slope, right click to make it flat</source>
        <translation>Bakgrundsmaterial: %1. Klicka för att vrida lutningen, högerklicka för att göra det plant</translation>
    </message>
    <message>
        <source>Front material: %1. Click to turn its slope, right click to make it flat</source>
        <translation>Förgrundsmaterial: %1. Klicka för att vrida lutningen, högerklicka för att göra det plant</translation>
    </message>
    <message>
        <source>The brush: %1. Click to turn it (Shift: with its slopes)</source>
        <translation>Penseln: %1. Klicka för att vrida den (Skift: med lutningarna)</translation>
    </message>
</context>
<context>
    <name>DialogPrompts</name>
    <message>
        <source>Trundlex level file (*.lev)</source>
        <translation>Trundlex-banfil (*.lev)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alla filer (*)</translation>
    </message>
    <message>
        <source>Trundlex Editor</source>
        <translation>Trundlex Editor</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Vill du spara ändringarna i %1?</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öppna</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Spara som</translation>
    </message>
    <message>
        <source>%1

Save the level anyway?</source>
        <translation>%1

Vill du spara banan ändå?</translation>
    </message>
    <message>
        <source>Saving would replace the level in %1.

%2

Replace it anyway?</source>
        <translation>Om du sparar ersätts banan i %1.

%2

Vill du ersätta den ändå?</translation>
    </message>
    <message>
        <source>One of your courses uses this level.</source>
        <translation>En av dina bansamlingar använder den här banan.</translation>
    </message>
    <message>
        <source>%1 of your courses use this level.</source>
        <translation>%1 av dina bansamlingar använder den här banan.</translation>
    </message>
    <message>
        <source>The changed level has been saved with a new ID, so a course that still lists the old one will miss it. Update the courses to the changed level? Their high scores are kept.</source>
        <translation>Den ändrade banan har sparats med ett nytt ID, så en bansamling som fortfarande har det gamla kommer att sakna den. Vill du uppdatera bansamlingarna till den ändrade banan? Deras topplistor behålls.</translation>
    </message>
</context>
<context>
    <name>GameLauncher</name>
    <message>
        <source>The game could not be started: %1 was not found beside the editor.</source>
        <translation>Spelet kunde inte startas: %1 finns inte bredvid banredigeraren.</translation>
    </message>
    <message>
        <source>The game could not be started: %1 did not run.</source>
        <translation>Spelet kunde inte startas: %1 gick inte att köra.</translation>
    </message>
</context>
<context>
    <name>LevelCommands</name>
    <message>
        <source>No random level could be made: the template pieces in the RBites folder are missing or damaged.
The level you are editing has not been changed.

%1</source>
        <translation>Ingen slumpbana kunde skapas: banbitarna i mappen RBites saknas eller är skadade.
Banan du redigerar har inte ändrats.

%1</translation>
    </message>
</context>
<context>
    <name>LevelHandOff</name>
    <message>
        <source>The game reads levels only from its levels folders, so a course could not find %1 where it is saved now.
Save the level in your own levels folder with Save As (it opens there), then add it to a course.</source>
        <translation>Spelet läser banor bara från sina banmappar, så en bansamling skulle inte hitta %1 där den är sparad nu.
Spara banan i din egen banmapp med Spara som (den öppnas där) och lägg sedan till den i en bansamling.</translation>
    </message>
    <message>
        <source>%1 could not be read back as a level, so it was not added to a course.</source>
        <translation>%1 kunde inte läsas tillbaka som en bana, så den lades inte till i någon bansamling.</translation>
    </message>
    <message>
        <source>The level could not be added to the course %1.

%2</source>
        <translation>Banan kunde inte läggas till i bansamlingen %1.

%2</translation>
    </message>
    <message>
        <source>Added the level %1 to the course %2.</source>
        <translation>Lade till banan %1 i bansamlingen %2.</translation>
    </message>
    <message>
        <source>Made the course %1 with the level %2.</source>
        <translation>Skapade bansamlingen %1 med banan %2.</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Look in:</source>
        <translation>Leta i:</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Computer</source>
        <translation>Dator</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Stäng</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nej</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Spara</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öppna</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hjälp</translation>
    </message>
</context>
<context>
    <name>SaveErrorTexts</name>
    <message>
        <source>cannot create a temporary file next to %1</source>
        <translation>kan inte skapa en tillfällig fil bredvid %1</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>kan inte skriva %1</translation>
    </message>
    <message>
        <source>cannot write %1 to the disk</source>
        <translation>kan inte skriva %1 till disken</translation>
    </message>
    <message>
        <source>cannot close %1</source>
        <translation>kan inte stänga %1</translation>
    </message>
    <message>
        <source>cannot replace %1</source>
        <translation>kan inte ersätta %1</translation>
    </message>
    <message>
        <source>the level cannot be written as a level file</source>
        <translation>banan kan inte skrivas som en banfil</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>åtkomst nekad</translation>
    </message>
    <message>
        <source>the operation is not permitted</source>
        <translation>åtgärden är inte tillåten</translation>
    </message>
    <message>
        <source>the folder does not exist</source>
        <translation>mappen finns inte</translation>
    </message>
    <message>
        <source>a part of the path is not a folder</source>
        <translation>en del av sökvägen är ingen mapp</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>det är en mapp</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>disken är full</translation>
    </message>
    <message>
        <source>your disk quota is used up</source>
        <translation>din diskkvot är slut</translation>
    </message>
    <message>
        <source>the disk is read-only</source>
        <translation>disken är skrivskyddad</translation>
    </message>
    <message>
        <source>the disk could not be read or written</source>
        <translation>disken kunde inte läsas eller skrivas</translation>
    </message>
    <message>
        <source>the file name is too long</source>
        <translation>filnamnet är för långt</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>cannot open %1</source>
        <translation>kan inte öppna %1</translation>
    </message>
    <message>
        <source>cannot lock %1</source>
        <translation>kan inte låsa %1</translation>
    </message>
    <message>
        <source>the high scores cannot be written as a file</source>
        <translation>topplistan kan inte skrivas som en fil</translation>
    </message>
    <message numerus="yes">
        <source>another program is using %1 and did not let go of it within %n second(s)</source>
        <translation><numerusform>ett annat program använder %1 och släppte den inte inom %n sekund</numerusform><numerusform>ett annat program använder %1 och släppte den inte inom %n sekunder</numerusform></translation>
    </message>
</context>
<context>
    <name>SpeedModeTexts</name>
    <message>
        <source>Stop ball</source>
        <translation>Stoppa bollen</translation>
    </message>
    <message>
        <source>Half speed</source>
        <translation>Halv hastighet</translation>
    </message>
    <message>
        <source>Normal speed</source>
        <translation>Normal hastighet</translation>
    </message>
    <message>
        <source>Double speed</source>
        <translation>Dubbel hastighet</translation>
    </message>
    <message>
        <source>Triple speed</source>
        <translation>Tredubbel hastighet</translation>
    </message>
    <message>
        <source>Move the ball as fast as possible</source>
        <translation>Flytta bollen så fort som möjligt</translation>
    </message>
    <message>
        <source>Quadruple speed</source>
        <translation>Fyrdubbel hastighet</translation>
    </message>
    <message>
        <source>Jump to where the ball stops</source>
        <translation>Flytta bollen direkt dit den stannar</translation>
    </message>
</context>
<context>
    <name>TestFeedback</name>
    <message>
        <source>In the cup with the first stroke: a hole in one</source>
        <translation>I koppen på första slaget: hole in one</translation>
    </message>
    <message>
        <source>In the cup in %1 strokes</source>
        <translation>I koppen på %1 slag</translation>
    </message>
    <message>
        <source>Water: the ball is back where the putt began. Strokes: %1</source>
        <translation>Vatten: bollen är tillbaka där puttningen började. Slag: %1</translation>
    </message>
    <message>
        <source>Off the level: the ball is back where the putt began. Strokes: %1</source>
        <translation>Utanför banan: bollen är tillbaka där puttningen började. Slag: %1</translation>
    </message>
    <message>
        <source>Strokes: %1</source>
        <translation>Slag: %1</translation>
    </message>
</context>
<context>
    <name>trundlex::AboutDialog</name>
    <message>
        <source>Brackwater Works on the web</source>
        <translation>Brackwater Works på webben</translation>
    </message>
    <message>
        <source>Write to us</source>
        <translation>Skriv till oss</translation>
    </message>
    <message>
        <source>Read the manual</source>
        <translation>Läs handboken</translation>
    </message>
</context>
<context>
    <name>trundlex::AddToCourseDialog</name>
    <message>
        <source>To the end of an &amp;existing course:</source>
        <translation>Sist i en &amp;befintlig bansamling:</translation>
    </message>
    <message>
        <source>To a &amp;new course named:</source>
        <translation>I en &amp;ny bansamling med namnet:</translation>
    </message>
    <message>
        <source>Add to Course</source>
        <translation>Lägg till i bansamling</translation>
    </message>
    <message>
        <source>Add the level "%1" as the last hole of a course. The game lists your courses under Pick course.</source>
        <translation>Lägg till banan ”%1” som sista hål i en bansamling. Spelet visar dina bansamlingar under Välj bansamling.</translation>
    </message>
</context>
<context>
    <name>trundlex::CEditorDoc</name>
    <message>
        <source>Untitled</source>
        <translation>Namnlös</translation>
    </message>
    <message>
        <source>The level could not be saved to %1.
Any file already there has been left as it was.

%2</source>
        <translation>Banan kunde inte sparas i %1.
En fil som redan fanns där har lämnats orörd.

%2</translation>
    </message>
    <message>
        <source>%1 is too large to be a Trundlex level file.</source>
        <translation>%1 är för stor för att vara en Trundlex-banfil.</translation>
    </message>
    <message>
        <source>%1 is not a Trundlex level file, or it is damaged.</source>
        <translation>%1 är ingen Trundlex-banfil, eller så är den skadad.</translation>
    </message>
    <message>
        <source>%1 could not be opened: the file does not exist.</source>
        <translation>%1 kunde inte öppnas: filen finns inte.</translation>
    </message>
    <message>
        <source>%1 could not be opened: you may not read it, or it is a folder.</source>
        <translation>%1 kunde inte öppnas: du har inte behörighet att läsa den, eller så är det en mapp.</translation>
    </message>
    <message>
        <source>The level you are editing has not been changed.</source>
        <translation>Banan du redigerar har inte ändrats.</translation>
    </message>
    <message>
        <source>The level in the file has a cup; the level you are saving has none.</source>
        <translation>Banan i filen har ett hål; banan du sparar har inget.</translation>
    </message>
    <message>
        <source>The level in the file is %1 x %2 squares; the level you are saving is only %3 x %4.</source>
        <translation>Banan i filen är %1 x %2 rutor; banan du sparar är bara %3 x %4.</translation>
    </message>
    <message>
        <source>The level was saved, but these courses could not be updated and still list it as it was before:

%1</source>
        <translation>Banan sparades, men de här bansamlingarna kunde inte uppdateras och har den kvar som den var förut:

%1</translation>
    </message>
</context>
<context>
    <name>trundlex::CMainFrame</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Ny</translation>
    </message>
    <message>
        <source>Create a new level</source>
        <translation>Skapa en ny bana</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Öppna...</translation>
    </message>
    <message>
        <source>Open a level file</source>
        <translation>Öppna en banfil</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Spara</translation>
    </message>
    <message>
        <source>Save the level</source>
        <translation>Spara banan</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Spara s&amp;om...</translation>
    </message>
    <message>
        <source>Save the level under a new name</source>
        <translation>Spara banan under ett nytt namn</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>A&amp;vsluta</translation>
    </message>
    <message>
        <source>Quit the editor; a changed level can be saved first</source>
        <translation>Avsluta banredigeraren; en ändrad bana kan sparas först</translation>
    </message>
    <message>
        <source>Open this level file</source>
        <translation>Öppna den här banfilen</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Senaste filer</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arkiv</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Redigera</translation>
    </message>
    <message>
        <source>&amp;Block</source>
        <translation>&amp;Block</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>Verk&amp;tyg</translation>
    </message>
    <message>
        <source>&amp;Ball</source>
        <translation>&amp;Boll</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Visa</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hjälp</translation>
    </message>
    <message>
        <source>&amp;Index</source>
        <translation>&amp;Handbok</translation>
    </message>
    <message>
        <source>Open the editor's manual</source>
        <translation>Öppna handboken</translation>
    </message>
    <message>
        <source>Program information, version number and copyright</source>
        <translation>Programinformation, versionsnummer och upphovsrätt</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Verktygsfält</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Verktygsfält</translation>
    </message>
    <message>
        <source>Show or hide the tool bar</source>
        <translation>Visa eller dölj verktygsfältet</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Statusfält</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>Visa eller dölj statusfältet</translation>
    </message>
    <message>
        <source>About Trundlex Editor</source>
        <translation>Om Trundlex Editor</translation>
    </message>
    <message>
        <source>The course editor of Trundlex: draw levels block by block, turn and mirror them, make random ones and test them with the game's own ball. Made by the Trundlex team at Brackwater Works.</source>
        <translation>Banredigeraren i Trundlex: rita banor block för block, vrid och spegla dem, skapa slumpbanor och prova dem med spelets egen boll. Gjord av Trundlex-gänget på Brackwater Works.</translation>
    </message>
    <message>
        <source>&amp;About Trundlex Editor...</source>
        <translation>&amp;Om Trundlex Editor...</translation>
    </message>
    <message>
        <source>%1[*] - Trundlex Editor</source>
        <translation>%1[*] - Trundlex Editor</translation>
    </message>
    <message>
        <source>&amp;Check Level...</source>
        <translation>&amp;Kontrollera banan...</translation>
    </message>
    <message>
        <source>Look for what keeps the level from being played, and work out its par</source>
        <translation>Leta efter det som hindrar banan från att spelas, och räkna ut dess par</translation>
    </message>
    <message>
        <source>&amp;Play in Game</source>
        <translation>S&amp;pela i spelet</translation>
    </message>
    <message>
        <source>Start the game on this level, saved first if you wish</source>
        <translation>Starta spelet på den här banan, sparad först om du vill</translation>
    </message>
    <message>
        <source>Add to &amp;Course...</source>
        <translation>Lägg till i &amp;bansamling...</translation>
    </message>
    <message>
        <source>Put this level at the end of one of your courses, or start a new course with it</source>
        <translation>Lägg banan sist i en av dina bansamlingar, eller börja en ny bansamling med den</translation>
    </message>
    <message>
        <source>&amp;Shift Level</source>
        <translation>&amp;Flytta banan</translation>
    </message>
    <message>
        <source>Selectio&amp;n</source>
        <translation>Markeri&amp;ng</translation>
    </message>
</context>
<context>
    <name>trundlex::EditorActions</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Ångra</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>Ångra den senaste ändringen</translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation>&amp;Egenskaper...</translation>
    </message>
    <message>
        <source>Change the level's name, creator and size</source>
        <translation>Ändra banans namn, skapare och storlek</translation>
    </message>
    <message>
        <source>Show &amp;grid</source>
        <translation>Visa &amp;rutnät</translation>
    </message>
    <message>
        <source>Show or hide the grid</source>
        <translation>Visa eller dölj rutnätet</translation>
    </message>
    <message>
        <source>Pl&amp;ay sound</source>
        <translation>Spela &amp;ljud</translation>
    </message>
    <message>
        <source>Switch the test ball's sounds on or off</source>
        <translation>Slå på eller stäng av testbollens ljud</translation>
    </message>
    <message>
        <source>Rotate &amp;back material</source>
        <translation>Vrid &amp;bakgrundsmaterialet</translation>
    </message>
    <message>
        <source>Turn the slope of the brush's back material an eighth clockwise</source>
        <translation>Vrid lutningen på penselns bakgrundsmaterial ett åttondels varv medurs</translation>
    </message>
    <message>
        <source>Reset b&amp;ack rotation</source>
        <translation>Återställ b&amp;akgrundens vridning</translation>
    </message>
    <message>
        <source>Make the brush's back material flat</source>
        <translation>Gör penselns bakgrundsmaterial plant</translation>
    </message>
    <message>
        <source>Rotate &amp;front material</source>
        <translation>Vrid &amp;förgrundsmaterialet</translation>
    </message>
    <message>
        <source>Turn the slope of the brush's front material an eighth clockwise</source>
        <translation>Vrid lutningen på penselns förgrundsmaterial ett åttondels varv medurs</translation>
    </message>
    <message>
        <source>Reset f&amp;ront rotation</source>
        <translation>Återställ fö&amp;rgrundens vridning</translation>
    </message>
    <message>
        <source>Make the brush's front material flat</source>
        <translation>Gör penselns förgrundsmaterial plant</translation>
    </message>
    <message>
        <source>Rese&amp;t front and back rotation</source>
        <translation>Åter&amp;ställ båda vridningarna</translation>
    </message>
    <message>
        <source>Make both materials of the brush flat</source>
        <translation>Gör penselns båda material plana</translation>
    </message>
    <message>
        <source>&amp;Swap materials</source>
        <translation>Byt plats på &amp;materialen</translation>
    </message>
    <message>
        <source>Exchange the brush's back and front material</source>
        <translation>Byt plats på penselns bakgrunds- och förgrundsmaterial</translation>
    </message>
    <message>
        <source>R&amp;otate block</source>
        <translation>Vr&amp;id blocket</translation>
    </message>
    <message>
        <source>Turn the brush a quarter clockwise (Shift: with its slopes)</source>
        <translation>Vrid penseln ett kvarts varv medurs (Skift: med lutningarna)</translation>
    </message>
    <message>
        <source>&amp;Plot</source>
        <translation>&amp;Penna</translation>
    </message>
    <message>
        <source>Paint every block the pointer passes</source>
        <translation>Måla varje block som pekaren passerar</translation>
    </message>
    <message>
        <source>&amp;Line</source>
        <translation>&amp;Linje</translation>
    </message>
    <message>
        <source>Draw a straight line of blocks</source>
        <translation>Rita en rak linje av block</translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation>&amp;Rektangel</translation>
    </message>
    <message>
        <source>Fill a rectangle with blocks</source>
        <translation>Fyll en rektangel med block</translation>
    </message>
    <message>
        <source>&amp;Frame</source>
        <translation>Ra&amp;m</translation>
    </message>
    <message>
        <source>Draw the outline of a rectangle</source>
        <translation>Rita konturen av en rektangel</translation>
    </message>
    <message>
        <source>F&amp;ill</source>
        <translation>F&amp;yll</translation>
    </message>
    <message>
        <source>Fill an area of equal blocks</source>
        <translation>Fyll ett område med likadana block</translation>
    </message>
    <message>
        <source>&amp;Set Ball</source>
        <translation>Placera &amp;boll</translation>
    </message>
    <message>
        <source>Place the ball's start (Shift: on half blocks)</source>
        <translation>Placera bollens startpunkt (Skift: i steg om ett halvt block)</translation>
    </message>
    <message>
        <source>R&amp;otate level</source>
        <translation>Vri&amp;d banan</translation>
    </message>
    <message>
        <source>Rotate the level 90 degrees</source>
        <translation>Vrid banan 90 grader</translation>
    </message>
    <message>
        <source>Flip &amp;Horizontal</source>
        <translation>Spegla &amp;vågrätt</translation>
    </message>
    <message>
        <source>Flips the level horizontally</source>
        <translation>Spegla banan vågrätt</translation>
    </message>
    <message>
        <source>Flip &amp;Vertical</source>
        <translation>Spegla &amp;lodrätt</translation>
    </message>
    <message>
        <source>Flips the level vertically</source>
        <translation>Spegla banan lodrätt</translation>
    </message>
    <message>
        <source>Create &amp;Random Level</source>
        <translation>Skapa &amp;slumpbana</translation>
    </message>
    <message>
        <source>Make a new level from random pieces</source>
        <translation>Skapa en ny bana av slumpvis valda bitar</translation>
    </message>
    <message>
        <source>&amp;Make fit</source>
        <translation>Beskä&amp;r</translation>
    </message>
    <message>
        <source>Remove unused area</source>
        <translation>Ta bort oanvänd yta</translation>
    </message>
    <message>
        <source>Test &amp;mode</source>
        <translation>&amp;Testläge</translation>
    </message>
    <message>
        <source>Putt the ball on the level</source>
        <translation>Putta bollen på banan</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stoppa</translation>
    </message>
    <message>
        <source>Stop the rolling ball</source>
        <translation>Stoppa den rullande bollen</translation>
    </message>
    <message>
        <source>&amp;Half</source>
        <translation>&amp;Halv</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>X&amp;2</source>
        <translation>X&amp;2</translation>
    </message>
    <message>
        <source>X&amp;3</source>
        <translation>X&amp;3</translation>
    </message>
    <message>
        <source>X&amp;4</source>
        <translation>X&amp;4</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>Ultra</source>
        <translation>Ultra</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Gör om</translation>
    </message>
    <message>
        <source>Redo the last change undone</source>
        <translation>Gör om den senast ångrade ändringen</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Zooma &amp;in</translation>
    </message>
    <message>
        <source>Show the level larger</source>
        <translation>Visa banan större</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Zooma &amp;ut</translation>
    </message>
    <message>
        <source>Show the level smaller</source>
        <translation>Visa banan mindre</translation>
    </message>
    <message>
        <source>&amp;Fit Level</source>
        <translation>&amp;Hela banan</translation>
    </message>
    <message>
        <source>Show the whole level</source>
        <translation>Visa hela banan</translation>
    </message>
    <message>
        <source>Stop &amp;ball</source>
        <translation>Stoppa &amp;bollen</translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation>&amp;Vänster</translation>
    </message>
    <message>
        <source>Move every block one square left; blocks pushed over the edge are lost</source>
        <translation>Flytta alla block en ruta åt vänster; block som skjuts över kanten försvinner</translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation>&amp;Höger</translation>
    </message>
    <message>
        <source>Move every block one square right; blocks pushed over the edge are lost</source>
        <translation>Flytta alla block en ruta åt höger; block som skjuts över kanten försvinner</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>&amp;Upp</translation>
    </message>
    <message>
        <source>Move every block one square up; blocks pushed over the edge are lost</source>
        <translation>Flytta alla block en ruta uppåt; block som skjuts över kanten försvinner</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>&amp;Ned</translation>
    </message>
    <message>
        <source>Move every block one square down; blocks pushed over the edge are lost</source>
        <translation>Flytta alla block en ruta nedåt; block som skjuts över kanten försvinner</translation>
    </message>
    <message>
        <source>Selec&amp;t</source>
        <translation>Mar&amp;kera</translation>
    </message>
    <message>
        <source>Select a rectangle of blocks; drag inside it to move them</source>
        <translation>Markera en rektangel av block; dra inuti den för att flytta blocken</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Klipp &amp;ut</translation>
    </message>
    <message>
        <source>Copy the selected blocks and make them grass</source>
        <translation>Kopiera de markerade blocken och gör dem till gräs</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>K&amp;opiera</translation>
    </message>
    <message>
        <source>Copy the selected blocks</source>
        <translation>Kopiera de markerade blocken</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Klistra &amp;in</translation>
    </message>
    <message>
        <source>Show the copied blocks under the pointer; click to put them down, Esc to drop them</source>
        <translation>Visa de kopierade blocken under pekaren; klicka för att lägga ner dem, Esc för att släppa dem</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Ta bort</translation>
    </message>
    <message>
        <source>Make the selected blocks grass</source>
        <translation>Gör de markerade blocken till gräs</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Markera allt</translation>
    </message>
    <message>
        <source>Select the whole level</source>
        <translation>Markera hela banan</translation>
    </message>
    <message>
        <source>Rotate Selection &amp;Clockwise</source>
        <translation>Vrid markeringen &amp;medurs</translation>
    </message>
    <message>
        <source>Turn the selected or pasted blocks a quarter clockwise, slopes and all</source>
        <translation>Vrid de markerade eller inklistrade blocken ett kvarts varv medurs, med lutningarna</translation>
    </message>
    <message>
        <source>Rotate Selection C&amp;ounter-clockwise</source>
        <translation>Vrid markeringen m&amp;oturs</translation>
    </message>
    <message>
        <source>Turn the selected or pasted blocks a quarter counter-clockwise, slopes and all</source>
        <translation>Vrid de markerade eller inklistrade blocken ett kvarts varv moturs, med lutningarna</translation>
    </message>
    <message>
        <source>Flip Selection &amp;Horizontally</source>
        <translation>Spegla markeringen &amp;vågrätt</translation>
    </message>
    <message>
        <source>Mirror the selected or pasted blocks left to right</source>
        <translation>Spegla de markerade eller inklistrade blocken från vänster till höger</translation>
    </message>
    <message>
        <source>Flip Selection &amp;Vertically</source>
        <translation>Spegla markeringen &amp;lodrätt</translation>
    </message>
    <message>
        <source>Mirror the selected or pasted blocks top to bottom</source>
        <translation>Spegla de markerade eller inklistrade blocken uppifrån och ned</translation>
    </message>
    <message>
        <source>Replace one material by another in the selection or the whole level</source>
        <translation>Byt ett material mot ett annat i markeringen eller på hela banan</translation>
    </message>
    <message>
        <source>Replace Mat&amp;erial...</source>
        <translation>Ersätt m&amp;aterial...</translation>
    </message>
    <message>
        <source>&amp;Modern look</source>
        <translation>&amp;Modernt utseende</translation>
    </message>
    <message>
        <source>Draw the level as the game's modern look does, or in the classic look</source>
        <translation>Rita banan som spelets moderna utseende gör, eller med det klassiska utseendet</translation>
    </message>
</context>
<context>
    <name>trundlex::EditorStatusBar</name>
    <message>
        <source>Ready</source>
        <translation>Klar</translation>
    </message>
    <message>
        <source>Test mode: click where the ball should go; the farther from the ball, the harder the putt. Space stops it.</source>
        <translation>Testläge: klicka dit bollen ska; ju längre från bollen, desto hårdare putt. Mellanslag stoppar den.</translation>
    </message>
    <message>
        <source>(%1, %2) %3</source>
        <translation>(%1, %2) %3</translation>
    </message>
    <message>
        <source>Tool: %1</source>
        <translation>Verktyg: %1</translation>
    </message>
    <message>
        <source>Zoom %1%</source>
        <translation>Zoom %1%</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <comment>columns × rows</comment>
        <translation>%1 × %2</translation>
    </message>
</context>
<context>
    <name>trundlex::HyperLink</name>
    <message>
        <source>The file was not found.</source>
        <translation>Filen hittades inte.</translation>
    </message>
    <message>
        <source>No program was found to open it.</source>
        <translation>Inget program som kan öppna den hittades.</translation>
    </message>
    <message>
        <source>Can't open %1.</source>
        <translation>Kan inte öppna %1.</translation>
    </message>
</context>
<context>
    <name>trundlex::LevelCheckDialog</name>
    <message>
        <source>Check Level</source>
        <translation>Kontrollera banan</translation>
    </message>
    <message>
        <source>Check &amp;Again</source>
        <translation>Kontrollera &amp;igen</translation>
    </message>
    <message>
        <source>Working out par...</source>
        <translation>Räknar ut par...</translation>
    </message>
    <message>
        <source>The level has changed since it was checked: choose Check Again.</source>
        <translation>Banan har ändrats sedan den kontrollerades: välj Kontrollera igen.</translation>
    </message>
    <message>
        <source>No problems found.</source>
        <translation>Inga problem hittades.</translation>
    </message>
    <message>
        <source>The par is worked out once these problems are put right.</source>
        <translation>Par räknas ut när de här problemen är åtgärdade.</translation>
    </message>
    <message>
        <source>&amp;Show the solver's putts on the level</source>
        <translation>&amp;Visa lösarens puttar på banan</translation>
    </message>
    <message>
        <source>The solver found no way into the cup within the par.</source>
        <translation>Lösaren hittade ingen väg i hål inom par.</translation>
    </message>
    <message>
        <source>Putts into the cup: %1, played by the game's ball as the solver found them.</source>
        <translation>Puttar i hål: %1, spelade med spelets boll så som lösaren hittade dem.</translation>
    </message>
</context>
<context>
    <name>trundlex::LevelChecker</name>
    <message>
        <source>The level has no cup.</source>
        <translation>Banan har inget hål.</translation>
    </message>
    <message>
        <source>The ball starts outside the level.</source>
        <translation>Bollen startar utanför banan.</translation>
    </message>
    <message>
        <source>Par %1.</source>
        <translation>Par %1.</translation>
    </message>
    <message>
        <source>The level cannot be holed in %1 strokes.</source>
        <translation>Banan kan inte klaras på %1 slag.</translation>
    </message>
    <message>
        <source>column %1, row %2</source>
        <translation>kolumn %1, rad %2</translation>
    </message>
    <message>
        <source>The ball starts inside a wall (%1).</source>
        <translation>Bollen startar inne i en vägg (%1).</translation>
    </message>
    <message>
        <source>The ball starts in water (%1).</source>
        <translation>Bollen startar i vatten (%1).</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>a list of cells</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <comment>the last of a list of cells</comment>
        <translation>%1 och %2</translation>
    </message>
    <message>
        <source>Two cups: %1.</source>
        <translation>Två hål: %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n cups: %1.</source>
        <translation><numerusform>%n hål: %1.</numerusform><numerusform>%n hål: %1.</numerusform></translation>
    </message>
    <message>
        <source>Par %1: a careful player mostly did not hole out within %1 strokes, the most a hole allows, but perfect putts can; a par goes no higher, so the level is harder than its par says.</source>
        <translation>Par %1: en noggrann spelare klarade oftast inte banan inom %1 slag, det mesta ett hål tillåter, men med perfekta slag går det; högre blir inte par, så banan är svårare än dess par säger.</translation>
    </message>
</context>
<context>
    <name>trundlex::LevelPropertiesDialog</name>
    <message>
        <source>Level Properties</source>
        <translation>Banegenskaper</translation>
    </message>
    <message>
        <source>&amp;Creator:</source>
        <translation>&amp;Skapare:</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Namn:</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>&amp;Bredd:</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>&amp;Höjd:</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Skriv ett heltal mellan %1 och %2.</translation>
    </message>
</context>
<context>
    <name>trundlex::LevelRecovery</name>
    <message>
        <source>Restore the unsaved level "%1" (untitled) from %2?</source>
        <translation>Vill du återställa den osparade banan ”%1” (namnlös) från %2?</translation>
    </message>
    <message>
        <source>Restore the unsaved level "%1" of %2 from %3?</source>
        <translation>Vill du återställa den osparade banan ”%1” i %2 från %3?</translation>
    </message>
</context>
<context>
    <name>trundlex::RegionEditor</name>
    <message>
        <source>The turned selection would not fit on the level.</source>
        <translation>Den vridna markeringen skulle inte få plats på banan.</translation>
    </message>
    <message>
        <source>The clipboard holds no blocks to paste. Copy a part of a level in the editor first.</source>
        <translation>Urklipp innehåller inga block att klistra in. Kopiera först en del av en bana i banredigeraren.</translation>
    </message>
    <message>
        <source>The clipboard holds other text, not blocks of a level. Copy a part of a level in the editor first.</source>
        <translation>Urklipp innehåller annan text, inte block från en bana. Kopiera först en del av en bana i banredigeraren.</translation>
    </message>
    <message>
        <source>The blocks on the clipboard are damaged or cut short, and cannot be pasted.</source>
        <translation>Blocken i Urklipp är skadade eller avkortade och kan inte klistras in.</translation>
    </message>
    <message>
        <source>The blocks on the clipboard are more than %1 blocks wide or high, the most a level can have.</source>
        <translation>Blocken i Urklipp är mer än %1 block breda eller höga, det mesta en bana kan ha.</translation>
    </message>
</context>
<context>
    <name>trundlex::ReplaceMaterialDialog</name>
    <message>
        <source>Only in the &amp;selection</source>
        <translation>Bara i &amp;markeringen</translation>
    </message>
    <message>
        <source>Replace Material</source>
        <translation>Ersätt material</translation>
    </message>
    <message>
        <source>&amp;Replace:</source>
        <translation>&amp;Ersätt:</translation>
    </message>
    <message>
        <source>&amp;With:</source>
        <translation>&amp;Med:</translation>
    </message>
</context>
<context>
    <name>trundlex::SlopePicker</name>
    <message>
        <source>Slope of the brush's back material: %1</source>
        <translation>Lutning för penselns bakgrundsmaterial: %1</translation>
    </message>
    <message>
        <source>Slope of the brush's back material</source>
        <translation>Lutning för penselns bakgrundsmaterial</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Bakgrund</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Förgrund</translation>
    </message>
    <message>
        <source>Slope of the brush's front material, inside the block's shape: %1</source>
        <translation>Lutning för penselns förgrundsmaterial, inuti blockets form: %1</translation>
    </message>
    <message>
        <source>Slope of the brush's front material</source>
        <translation>Lutning för penselns förgrundsmaterial</translation>
    </message>
    <message>
        <source>Slope of the brush's front material; a square block has none, pick another shape</source>
        <translation>Lutning för penselns förgrundsmaterial; ett fyrkantigt block har inget, välj en annan form</translation>
    </message>
</context>
</TS>