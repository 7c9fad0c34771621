<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="sv_SE">
<context>
    <name>FeedbackTexts</name>
    <message>
        <source>Hole in one!</source>
        <translation>Hole in one!</translation>
    </message>
    <message numerus="yes">
        <source>%n under par!</source>
        <translation><numerusform>%n under par!</numerusform><numerusform>%n under par!</numerusform></translation>
    </message>
    <message>
        <source>Albatross!</source>
        <translation>Albatross!</translation>
    </message>
    <message>
        <source>Eagle!</source>
        <translation>Eagle!</translation>
    </message>
    <message>
        <source>Birdie!</source>
        <translation>Birdie!</translation>
    </message>
    <message>
        <source>Par</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>Bogey</source>
        <translation>Bogey</translation>
    </message>
    <message>
        <source>Double bogey</source>
        <translation>Dubbelbogey</translation>
    </message>
    <message numerus="yes">
        <source>In the hole in %n stroke(s)</source>
        <translation><numerusform>I hål på %n slag</numerusform><numerusform>I hål på %n slag</numerusform></translation>
    </message>
    <message>
        <source>Out of bounds</source>
        <translation>Utanför banan</translation>
    </message>
    <message>
        <source>Stroke limit reached: scored %1</source>
        <translation>Slaggränsen nådd: %1 slag</translation>
    </message>
    <message>
        <source>%1's turn</source>
        <translation>%1 står på tur</translation>
    </message>
    <message>
        <source>Waiting for %1 (on another computer)</source>
        <translation>Väntar på %1 (på en annan dator)</translation>
    </message>
    <message>
        <source>Waiting for %1 (on %2)</source>
        <translation>Väntar på %1 (på datorn %2)</translation>
    </message>
    <message>
        <source>Water: back where you putted</source>
        <translation>Vatten: tillbaka dit du puttade</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Minigolf for one or more players.</source>
        <translation>Minigolf för en eller flera spelare.</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Spela</translation>
    </message>
    <message>
        <source>Local game</source>
        <translation>Lokalt spel</translation>
    </message>
    <message>
        <source>Levels</source>
        <translation>Banor</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Ditt namn</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spelare</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Dator</translation>
    </message>
    <message>
        <source>Robin</source>
        <translation>Robin</translation>
    </message>
    <message>
        <source>You against the computer on a short course.</source>
        <translation>Du mot datorn på en kort bansamling.</translation>
    </message>
    <message>
        <source>Start game</source>
        <translation>Starta spelet</translation>
    </message>
    <message>
        <source>Play again</source>
        <translation>Spela igen</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Tillbaka</translation>
    </message>
    <message>
        <source>Leave game</source>
        <translation>Lämna spelet</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spelare</translation>
    </message>
    <message>
        <source>Holes</source>
        <translation>Hål</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>Människa</translation>
    </message>
    <message>
        <source>Computer, easy</source>
        <translation>Dator, lätt</translation>
    </message>
    <message>
        <source>Computer, medium</source>
        <translation>Dator, medel</translation>
    </message>
    <message>
        <source>Computer, hard</source>
        <translation>Dator, svår</translation>
    </message>
    <message>
        <source>Add player</source>
        <translation>Lägg till spelare</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>Ta bort %1</translation>
    </message>
    <message>
        <source>Name of player %1</source>
        <translation>Namn på spelare %1</translation>
    </message>
    <message>
        <source>Player %1 plays as</source>
        <translation>Spelare %1 spelas av</translation>
    </message>
    <message>
        <source>Quick round (%1 holes)</source>
        <translation>Snabbrunda (%1 hål)</translation>
    </message>
    <message>
        <source>%1 (%2 holes)</source>
        <translation>%1 (%2 hål)</translation>
    </message>
    <message>
        <source>All levels (%1 holes)</source>
        <translation>Alla banor (%1 hål)</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Namn</translation>
    </message>
    <message>
        <source>Par</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Summa</translation>
    </message>
    <message>
        <source>not yet known</source>
        <translation>inte känt än</translation>
    </message>
    <message>
        <source>Creator</source>
        <translation>Skapare</translation>
    </message>
    <message>
        <source>Hole %1 of %2: %3</source>
        <translation>Hål %1 av %2: %3</translation>
    </message>
    <message>
        <source>%1's turn</source>
        <translation>%1 står på tur</translation>
    </message>
    <message>
        <source>%1 is thinking...</source>
        <translation>%1 tänker...</translation>
    </message>
    <message>
        <source>Game over</source>
        <translation>Spelet är slut</translation>
    </message>
    <message>
        <source>%1 wins!</source>
        <translation>%1 vinner!</translation>
    </message>
    <message>
        <source>%1 and %2 share the win!</source>
        <translation>%1 och %2 delar på segern!</translation>
    </message>
    <message>
        <source>Well played, %1!</source>
        <translation>Bra spelat, %1!</translation>
    </message>
    <message>
        <source>Final standings after %1 hole</source>
        <translation>Slutställning efter %1 hål</translation>
    </message>
    <message>
        <source>Final standings after %1 holes</source>
        <translation>Slutställning efter %1 hål</translation>
    </message>
    <message>
        <source>Strokes</source>
        <translation>Slag</translation>
    </message>
    <message>
        <source>(you)</source>
        <translation>(du)</translation>
    </message>
    <message>
        <source>%1 (computer)</source>
        <translation>%1 (dator)</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Läser in...</translation>
    </message>
    <message>
        <source>The game could not be loaded: %1</source>
        <translation>Spelet kunde inte läsas in: %1</translation>
    </message>
    <message>
        <source>Point behind the ball to aim, hold the button to build up force, release to putt.</source>
        <translation>Peka bakom bollen för att sikta, håll ned knappen för att öka kraften, släpp för att putta.</translation>
    </message>
    <message>
        <source>Drag back from the ball to aim and set the force, let go to putt.</source>
        <translation>Dra bakåt från bollen för att sikta och välja kraft, släpp för att putta.</translation>
    </message>
    <message>
        <source>Keys: ← → aim (Shift: finer), hold Space to putt, Esc cancels.</source>
        <translation>Tangenter: ← → siktar (Skift: finare), håll ned blanksteg för att putta, Esc avbryter.</translation>
    </message>
    <message>
        <source>Playfield</source>
        <translation>Spelplan</translation>
    </message>
    <message>
        <source>Score board</source>
        <translation>Resultattavla</translation>
    </message>
    <message>
        <source>Sound off</source>
        <translation>Ljud av</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Ljud på</translation>
    </message>
    <message>
        <source>Play with friends</source>
        <translation>Spela med vänner</translation>
    </message>
    <message>
        <source>Create a room and send the link, or join a friend with their code.</source>
        <translation>Skapa ett rum och skicka länken, eller gå med hos en vän med rumskoden.</translation>
    </message>
    <message>
        <source>Create room</source>
        <translation>Skapa rum</translation>
    </message>
    <message>
        <source>You pick the course and start the game.</source>
        <translation>Du väljer bansamling och startar spelet.</translation>
    </message>
    <message>
        <source>Course</source>
        <translation>Bansamling</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Gå med</translation>
    </message>
    <message>
        <source>Got a code or a link from a friend?</source>
        <translation>Har du fått en rumskod eller en länk av en vän?</translation>
    </message>
    <message>
        <source>Room code</source>
        <translation>Rumskod</translation>
    </message>
    <message>
        <source>or</source>
        <translation>eller</translation>
    </message>
    <message>
        <source>Join room %1</source>
        <translation>Gå med i rum %1</translation>
    </message>
    <message>
        <source>A friend invited you to a game of minigolf.</source>
        <translation>En vän har bjudit in dig till en runda minigolf.</translation>
    </message>
    <message>
        <source>A room code has six letters and digits.</source>
        <translation>En rumskod har sex bokstäver och siffror.</translation>
    </message>
    <message>
        <source>This name cannot be used online: choose a shorter one, without "|".</source>
        <translation>Det här namnet kan inte användas online: välj ett kortare, utan ”|”.</translation>
    </message>
    <message>
        <source>Room</source>
        <translation>Rum</translation>
    </message>
    <message>
        <source>Room code %1</source>
        <translation>Rumskod %1</translation>
    </message>
    <message>
        <source>Invite link</source>
        <translation>Inbjudningslänk</translation>
    </message>
    <message>
        <source>Copy link</source>
        <translation>Kopiera länken</translation>
    </message>
    <message>
        <source>Copied!</source>
        <translation>Kopierad!</translation>
    </message>
    <message>
        <source>Copy the link by hand.</source>
        <translation>Kopiera länken för hand.</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Dela</translation>
    </message>
    <message>
        <source>Play minigolf with me in Trundlex: room %1</source>
        <translation>Spela minigolf med mig i Trundlex: rum %1</translation>
    </message>
    <message>
        <source>Send the link to your friends: it opens this room.</source>
        <translation>Skicka länken till dina vänner: den öppnar det här rummet.</translation>
    </message>
    <message>
        <source>created the room</source>
        <translation>skapade rummet</translation>
    </message>
    <message>
        <source>here</source>
        <translation>här</translation>
    </message>
    <message>
        <source>computer</source>
        <translation>dator</translation>
    </message>
    <message>
        <source>Remove %1 from the room</source>
        <translation>Ta bort %1 ur rummet</translation>
    </message>
    <message>
        <source>Add computer player</source>
        <translation>Lägg till datorspelare</translation>
    </message>
    <message>
        <source>Strength</source>
        <translation>Styrka</translation>
    </message>
    <message>
        <source>Waiting for the room's creator to start the game.</source>
        <translation>Väntar på att den som skapade rummet ska starta spelet.</translation>
    </message>
    <message>
        <source>Press Start game when your friends have joined.</source>
        <translation>Tryck på Starta spelet när dina vänner har kommit in.</translation>
    </message>
    <message>
        <source>Leave room</source>
        <translation>Lämna rummet</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chatt</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meddelande</translation>
    </message>
    <message>
        <source>Write your message here...</source>
        <translation>Skriv ditt meddelande här...</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Skicka</translation>
    </message>
    <message>
        <source>No messages yet.</source>
        <translation>Inga meddelanden än.</translation>
    </message>
    <message>
        <source>That message is too long.</source>
        <translation>Meddelandet är för långt.</translation>
    </message>
    <message>
        <source>That message has a character that cannot be sent.</source>
        <translation>Meddelandet har ett tecken som inte kan skickas.</translation>
    </message>
    <message>
        <source>%1 new</source>
        <translation>%1 nya</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Anslut igen</translation>
    </message>
    <message>
        <source>You were playing in room %1.</source>
        <translation>Du spelade i rum %1.</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Ansluter...</translation>
    </message>
    <message>
        <source>Asking for the room...</source>
        <translation>Frågar efter rummet...</translation>
    </message>
    <message>
        <source>The connection to the room host was lost.</source>
        <translation>Anslutningen till rumsvärden bröts.</translation>
    </message>
    <message>
        <source>You are offline. Playing with friends needs the network; Play, Local game and Levels work without it.</source>
        <translation>Du är inte ansluten. Att spela med vänner kräver nätverket; Spela, Lokalt spel och Banor fungerar utan det.</translation>
    </message>
    <message>
        <source>Connection open!</source>
        <translation>Anslutningen är öppen!</translation>
    </message>
    <message>
        <source>Couldn't connect.</source>
        <translation>Kunde inte ansluta.</translation>
    </message>
    <message>
        <source>Transferring levels... (%1)</source>
        <translation>Överför banor... (%1)</translation>
    </message>
    <message>
        <source>Waiting for the start message.</source>
        <translation>Väntar på startmeddelandet.</translation>
    </message>
    <message>
        <source>%1 disconnected.</source>
        <translation>%1 har kopplat från.</translation>
    </message>
    <message>
        <source>The connection to the server was interrupted.</source>
        <translation>Anslutningen till servern bröts.</translation>
    </message>
    <message>
        <source>Incompatible server version (server: %1, this version: %2).</source>
        <translation>Servern har en annan version (servern: %1, den här versionen: %2).</translation>
    </message>
    <message>
        <source>This host does not offer rooms.</source>
        <translation>Den här värden erbjuder inga rum.</translation>
    </message>
    <message>
        <source>There is no room with the code %1.</source>
        <translation>Det finns inget rum med rumskoden %1.</translation>
    </message>
    <message>
        <source>The game in room %1 has already started.</source>
        <translation>Spelet i rum %1 har redan börjat.</translation>
    </message>
    <message>
        <source>Room %1 is full.</source>
        <translation>Rum %1 är fullt.</translation>
    </message>
    <message>
        <source>The host has no course named %1.</source>
        <translation>Värden har ingen bansamling som heter %1.</translation>
    </message>
    <message>
        <source>The host has no free room; try again later.</source>
        <translation>Värden har inget ledigt rum; försök igen senare.</translation>
    </message>
    <message>
        <source>Too many attempts; try again later.</source>
        <translation>För många försök; försök igen senare.</translation>
    </message>
    <message>
        <source>You have opened too many rooms on this host; try again later.</source>
        <translation>Du har öppnat för många rum hos den här värden; försök igen senare.</translation>
    </message>
    <message>
        <source>Too many connections from your network to this host.</source>
        <translation>För många anslutningar från ditt nätverk till den här värden.</translation>
    </message>
    <message>
        <source>The room's creator removed you from the room.</source>
        <translation>Den som skapade rummet tog bort dig ur rummet.</translation>
    </message>
    <message>
        <source>Your place in room %1 is no longer kept.</source>
        <translation>Din plats i rum %1 finns inte längre kvar.</translation>
    </message>
    <message>
        <source>The host said no: %1</source>
        <translation>Värden sa nej: %1</translation>
    </message>
    <message>
        <source>This host needs a room code.</source>
        <translation>Den här värden behöver en rumskod.</translation>
    </message>
    <message>
        <source>The room host has stopped; the game ends here.</source>
        <translation>Rumsvärden har stängts av; spelet slutar här.</translation>
    </message>
    <message>
        <source>%1 left the game; the computer plays for them.</source>
        <translation>%1 har lämnat spelet; datorn spelar för %1.</translation>
    </message>
    <message>
        <source>This computer plays for %1 from now on.</source>
        <translation>Den här datorn spelar för %1 från och med nu.</translation>
    </message>
    <message>
        <source>%1 is back.</source>
        <translation>%1 är tillbaka.</translation>
    </message>
    <message>
        <source>The online game has ended.</source>
        <translation>Onlinespelet är slut.</translation>
    </message>
    <message>
        <source>The game ended before the last hole.</source>
        <translation>Spelet tog slut före sista hålet.</translation>
    </message>
    <message>
        <source>Standings so far</source>
        <translation>Ställning hittills</translation>
    </message>
    <message>
        <source>The game begins!</source>
        <translation>Spelet börjar!</translation>
    </message>
    <message>
        <source>Hole in one!</source>
        <translation>Hole in one!</translation>
    </message>
    <message>
        <source>%1 under par!</source>
        <translation>%1 under par!</translation>
    </message>
    <message>
        <source>Albatross!</source>
        <translation>Albatross!</translation>
    </message>
    <message>
        <source>Eagle!</source>
        <translation>Eagle!</translation>
    </message>
    <message>
        <source>Birdie!</source>
        <translation>Birdie!</translation>
    </message>
    <message>
        <source>Bogey</source>
        <translation>Bogey</translation>
    </message>
    <message>
        <source>Double bogey</source>
        <translation>Dubbelbogey</translation>
    </message>
    <message>
        <source>In the hole in %1 stroke</source>
        <translation>I hål på %1 slag</translation>
    </message>
    <message>
        <source>In the hole in %1 strokes</source>
        <translation>I hål på %1 slag</translation>
    </message>
    <message>
        <source>Out of bounds</source>
        <translation>Utanför banan</translation>
    </message>
    <message>
        <source>Stroke limit reached: scored %1</source>
        <translation>Slaggränsen nådd: %1 slag</translation>
    </message>
    <message>
        <source>Today's course</source>
        <translation>Dagens bansamling</translation>
    </message>
    <message>
        <source>You against the computer on the nine holes drawn for today, the same for everybody.</source>
        <translation>Du mot datorn på de nio hål som lottats fram för i dag, samma för alla.</translation>
    </message>
    <message>
        <source>Course of the day, %1</source>
        <translation>Dagens bansamling, %1</translation>
    </message>
    <message>
        <source>Today's course cannot be drawn: none of the game's levels was found with its par.</source>
        <translation>Dagens bansamling kan inte lottas fram: ingen av spelets banor hittades med sitt par.</translation>
    </message>
    <message>
        <source>Water: back where you putted</source>
        <translation>Vatten: tillbaka dit du puttade</translation>
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
        <source>cannot open %1</source>
        <translation>kan inte öppna %1</translation>
    </message>
    <message>
        <source>cannot lock %1</source>
        <translation>kan inte låsa %1</translation>
    </message>
    <message>
        <source>the level cannot be written as a level file</source>
        <translation>banan kan inte skrivas som en banfil</translation>
    </message>
    <message>
        <source>the high scores cannot be written as a file</source>
        <translation>topplistan kan inte skrivas som en fil</translation>
    </message>
    <message numerus="yes">
        <source>another program is using %1 and did not let go of it within %n second(s)</source>
        <translation><numerusform>ett annat program använder %1 och släppte den inte inom %n sekund</numerusform><numerusform>ett annat program använder %1 och släppte den inte inom %n sekunder</numerusform></translation>
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
    <name>trundlex::ChatBox</name>
    <message>
        <source>Write your message here...</source>
        <translation>Skriv ditt meddelande här...</translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation>&amp;Skicka</translation>
    </message>
    <message>
        <source>A name cannot contain "|".</source>
        <translation>Ett namn får inte innehålla ”|”.</translation>
    </message>
    <message>
        <source>The name is too long.</source>
        <translation>Namnet är för långt.</translation>
    </message>
    <message>
        <source>The text contains a character that cannot be sent.</source>
        <translation>Texten innehåller ett tecken som inte kan skickas.</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chatt</translation>
    </message>
    <message>
        <source>-------------------------------- New game --------------------------------</source>
        <translation>-------------------------------- Nytt spel --------------------------------</translation>
    </message>
    <message>
        <source>You have been disconnected from the server; the computer plays for %1.</source>
        <translation>Anslutningen till servern bröts; datorn spelar för %1.</translation>
    </message>
    <message>
        <source>%1 is disconnected; the computer plays for %2.</source>
        <translation>%1 har kopplat från; datorn spelar för %2.</translation>
    </message>
    <message>
        <source>The room host has stopped; the game ends here.</source>
        <translation>Rumsvärden har stängts av; spelet slutar här.</translation>
    </message>
    <message>
        <source>You have been disconnected from the server.</source>
        <translation>Anslutningen till servern har brutits.</translation>
    </message>
    <message>
        <source>%1 is disconnected.</source>
        <translation>%1 har kopplats från.</translation>
    </message>
    <message>
        <source>%1 is back.</source>
        <translation>%1 är tillbaka.</translation>
    </message>
    <message>
        <source>You are back in the game.</source>
        <translation>Du är tillbaka i spelet.</translation>
    </message>
    <message>
        <source>The connection to the room host was lost.</source>
        <translation>Anslutningen till rumsvärden bröts.</translation>
    </message>
</context>
<context>
    <name>trundlex::ColourSwatches</name>
    <message>
        <source>&amp;Custom...</source>
        <translation>&amp;Egen färg...</translation>
    </message>
    <message>
        <source>Ball colour</source>
        <translation>Bollens färg</translation>
    </message>
</context>
<context>
    <name>trundlex::FriendsDialog</name>
    <message>
        <source>Play with friends</source>
        <translation>Spela med vänner</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Ditt namn</translation>
    </message>
    <message>
        <source>Your &amp;name:</source>
        <translation>Ditt &amp;namn:</translation>
    </message>
    <message>
        <source>&amp;Go to the room</source>
        <translation>&amp;Gå till rummet</translation>
    </message>
</context>
<context>
    <name>trundlex::GameView</name>
    <message>
        <source>&amp;New game...</source>
        <translation>&amp;Nytt spel...</translation>
    </message>
    <message>
        <source>&amp;Copy scores</source>
        <translation>&amp;Kopiera resultaten</translation>
    </message>
    <message>
        <source>&amp;High scores...</source>
        <translation>&amp;Topplista...</translation>
    </message>
    <message>
        <source>&amp;Replay...</source>
        <translation>&amp;Repris...</translation>
    </message>
    <message>
        <source>&amp;Levels...</source>
        <translation>&amp;Banor...</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Handbok</translation>
    </message>
    <message>
        <source>&amp;Sound</source>
        <translation>&amp;Ljud</translation>
    </message>
    <message>
        <source>&amp;Lock speed</source>
        <translation>&amp;Lås hastigheten</translation>
    </message>
    <message>
        <source>&amp;Decrease speed</source>
        <translation>&amp;Sänk hastigheten</translation>
    </message>
    <message>
        <source>&amp;Increase speed</source>
        <translation>&amp;Öka hastigheten</translation>
    </message>
    <message>
        <source>Show the &amp;next resting place</source>
        <translation>&amp;Visa var bollen stannar</translation>
    </message>
    <message>
        <source>&amp;Fast forward</source>
        <translation>S&amp;nabbspola</translation>
    </message>
    <message>
        <source>A level of this game could not be found. The game ends here.</source>
        <translation>En bana i det här spelet kunde inte hittas. Spelet slutar här.</translation>
    </message>
    <message>
        <source>Hole %1 of %2: %3</source>
        <translation>Hål %1 av %2: %3</translation>
    </message>
    <message>
        <source>Replay: %1, hole %2, stroke %3</source>
        <translation>Repris: %1, hål %2, slag %3</translation>
    </message>
    <message>
        <source>&amp;Disconnect</source>
        <translation>&amp;Koppla från</translation>
    </message>
    <message>
        <source>Do you really want to disconnect?</source>
        <translation>Vill du verkligen koppla från?</translation>
    </message>
    <message>
        <source>%1 is thinking...</source>
        <translation>%1 tänker...</translation>
    </message>
    <message>
        <source>A game is in progress. Do you want to abandon it?</source>
        <translation>Ett spel pågår. Vill du avbryta det?</translation>
    </message>
    <message>
        <source>&amp;Play for</source>
        <translation>&amp;Spela för</translation>
    </message>
    <message>
        <source>The high scores could not be saved to %1 (%2).</source>
        <translation>Topplistan kunde inte sparas i %1 (%2).</translation>
    </message>
    <message>
        <source>They are kept and saved again after the next game or when the game closes.</source>
        <translation>Resultaten finns kvar och sparas igen efter nästa spel eller när spelet avslutas.</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spelare</translation>
    </message>
    <message>
        <source>%1 could not be played: it cannot be read as a Trundlex level file.</source>
        <translation>%1 kunde inte spelas: den går inte att läsa som en Trundlex-banfil.</translation>
    </message>
    <message>
        <source>Re&amp;join room</source>
        <translation>&amp;Återvänd till rummet</translation>
    </message>
    <message>
        <source>Re&amp;join room %1</source>
        <translation>&amp;Återvänd till rum %1</translation>
    </message>
    <message>
        <source>Type your name to play.</source>
        <translation>Skriv ditt namn för att spela.</translation>
    </message>
    <message>
        <source>No course can be played: the game's levels were not found.</source>
        <translation>Ingen bansamling kan spelas: spelets banor hittades inte.</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Dator</translation>
    </message>
    <message>
        <source>The game cannot follow the link "%1". %2</source>
        <translation>Spelet kan inte följa länken ”%1”. %2</translation>
    </message>
    <message>
        <source>Start this game again from hole 1? The strokes so far are lost.</source>
        <translation>Börja om spelet från hål 1? Slagen hittills går förlorade.</translation>
    </message>
    <message>
        <source>Res&amp;tart from hole 1</source>
        <translation>Börja &amp;om från hål 1</translation>
    </message>
    <message>
        <source>Course of the day, %1</source>
        <translation>Dagens bansamling, %1</translation>
    </message>
    <message>
        <source>Today's course cannot be drawn: none of the game's levels was found with its par.</source>
        <translation>Dagens bansamling kan inte lottas fram: ingen av spelets banor hittades med sitt par.</translation>
    </message>
    <message>
        <source>&amp;Ghost of your best round</source>
        <translation>&amp;Spöke från din bästa runda</translation>
    </message>
    <message numerus="yes">
        <source>The faint ball putts your best round here: %1, %n stroke(s).</source>
        <translation><numerusform>Den bleka bollen puttar din bästa runda här: %1, %n slag.</numerusform><numerusform>Den bleka bollen puttar din bästa runda här: %1, %n slag.</numerusform></translation>
    </message>
</context>
<context>
    <name>trundlex::HighScoreDialog</name>
    <message>
        <source>C&amp;ourse:</source>
        <translation>&amp;Bansamling:</translation>
    </message>
    <message>
        <source>&amp;Clear...</source>
        <translation>&amp;Töm...</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Namn</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Resultat</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Unknown course</source>
        <translation>Okänd bansamling</translation>
    </message>
    <message>
        <source>High scores</source>
        <translation>Topplista</translation>
    </message>
    <message>
        <source>Do you really want to clear the list for this course?</source>
        <translation>Vill du verkligen tömma listan för den här bansamlingen?</translation>
    </message>
    <message>
        <source>No high scores yet.</source>
        <translation>Inga topplistor än.</translation>
    </message>
    <message>
        <source>A game enters this list when it plays a whole course to its last hole: each player's total strokes are kept when they are among the course's ten best. Games of single levels or of a course whose levels were changed, and games that ended early, do not enter it. Of a network game, only the computer that is the game's server keeps the results; games in online rooms do not enter it.</source>
        <translation>Ett spel kommer in på listan när det spelar en hel bansamling till sista hålet: varje spelares totala antal slag sparas om det hör till bansamlingens tio bästa. Spel på enstaka banor eller på en bansamling vars banor har ändrats, och spel som slutade i förtid, kommer inte in på den. Av ett nätverksspel sparar bara den dator som är spelets server resultaten; spel i rum på nätet kommer inte in på den.</translation>
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
    <name>trundlex::LevelsPage</name>
    <message>
        <source>Name</source>
        <translation>Namn</translation>
    </message>
    <message>
        <source>Creator</source>
        <translation>Skapare</translation>
    </message>
    <message>
        <source>&amp;Add &gt;&gt;</source>
        <translation>&amp;Lägg till &gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>&amp;Upp</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>&amp;Ner</translation>
    </message>
    <message>
        <source>D&amp;elete</source>
        <translation>&amp;Ta bort</translation>
    </message>
    <message>
        <source>&amp;Save course...</source>
        <translation>&amp;Spara bansamling...</translation>
    </message>
    <message>
        <source>&amp;Load</source>
        <translation>Läs &amp;in</translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation>&amp;Kör</translation>
    </message>
    <message>
        <source>Total number of levels: %1</source>
        <translation>Totalt antal banor: %1</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Förhandsvisning</translation>
    </message>
    <message>
        <source>&amp;Pick course:</source>
        <translation>&amp;Välj bansamling:</translation>
    </message>
    <message>
        <source>&amp;Random course:</source>
        <translation>Slumpa&amp;d bansamling:</translation>
    </message>
    <message>
        <source>(missing level)</source>
        <translation>(bana saknas)</translation>
    </message>
    <message>
        <source>Number of holes: %1</source>
        <translation>Antal hål: %1</translation>
    </message>
    <message numerus="yes">
        <source>Levels are missing for this course: only %1 of its %n level(s) could be found. This game will not enter the high scores.</source>
        <translation><numerusform>Banor saknas i den här bansamlingen: bara %1 av dess %n bana kunde hittas. Spelet kommer inte med på topplistan.</numerusform><numerusform>Banor saknas i den här bansamlingen: bara %1 av dess %n banor kunde hittas. Spelet kommer inte med på topplistan.</numerusform></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Lätt</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Medel</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Svår</translation>
    </message>
</context>
<context>
    <name>trundlex::LevelsViewerDialog</name>
    <message>
        <source>Levels</source>
        <translation>Banor</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Namn</translation>
    </message>
    <message>
        <source>Creator</source>
        <translation>Skapare</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Förhandsvisning</translation>
    </message>
    <message>
        <source>Par</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>not yet known</source>
        <translation>inte känt än</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nr</translation>
    </message>
</context>
<context>
    <name>trundlex::LobbyDialog</name>
    <message>
        <source>Network game</source>
        <translation>Nätverksspel</translation>
    </message>
    <message>
        <source>Waiting for connection...</source>
        <translation>Väntar på anslutning...</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Dator</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spelare</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>&amp;Start game</source>
        <translation>&amp;Starta spelet</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Ansluter till %1...</translation>
    </message>
    <message>
        <source>Couldn't connect.</source>
        <translation>Kunde inte ansluta.</translation>
    </message>
    <message>
        <source>Connection open!</source>
        <translation>Anslutningen är öppen!</translation>
    </message>
    <message>
        <source>%1 disconnected.</source>
        <translation>%1 har kopplat från.</translation>
    </message>
    <message>
        <source>This computer</source>
        <translation>Den här datorn</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Can't start the server.</source>
        <translation>Kan inte starta servern.</translation>
    </message>
    <message>
        <source>Transferring levels... (%1)</source>
        <translation>Överför banor... (%1)</translation>
    </message>
    <message>
        <source>Waiting for the start message.</source>
        <translation>Väntar på startmeddelandet.</translation>
    </message>
    <message>
        <source>The connection to the server was interrupted.</source>
        <translation>Anslutningen till servern bröts.</translation>
    </message>
    <message>
        <source>Incompatible server version (server: %1, this version: %2).</source>
        <translation>Servern har en annan version (servern: %1, den här versionen: %2).</translation>
    </message>
    <message numerus="yes">
        <source>%n computer(s) connected</source>
        <translation><numerusform>%n dator ansluten</numerusform><numerusform>%n datorer anslutna</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n player(s).</source>
        <translation><numerusform>%n spelare.</numerusform><numerusform>%n spelare.</numerusform></translation>
    </message>
    <message>
        <source>Preparing the game...</source>
        <translation>Förbereder spelet...</translation>
    </message>
    <message>
        <source>Transferring level "%1"...</source>
        <translation>Överför banan ”%1”...</translation>
    </message>
    <message>
        <source>&amp;Add computer player</source>
        <translation>&amp;Lägg till datorspelare</translation>
    </message>
    <message>
        <source>&amp;Copy code</source>
        <translation>&amp;Kopiera koden</translation>
    </message>
    <message>
        <source>Room code:</source>
        <translation>Rumskod:</translation>
    </message>
    <message>
        <source>Online game</source>
        <translation>Onlinespel</translation>
    </message>
    <message>
        <source>The game starts as soon as everybody in the room is ready.</source>
        <translation>Spelet börjar så snart alla i rummet är redo.</translation>
    </message>
    <message>
        <source>Computer %1</source>
        <translation>Dator %1</translation>
    </message>
    <message>
        <source>This host does not offer rooms.</source>
        <translation>Den här värden erbjuder inga rum.</translation>
    </message>
    <message>
        <source>Course: %1</source>
        <translation>Bansamling: %1</translation>
    </message>
    <message>
        <source>Press Start game when your friends have joined.</source>
        <translation>Tryck på Starta spelet när dina vänner har kommit in.</translation>
    </message>
    <message>
        <source>Waiting for the room's creator to start the game.</source>
        <translation>Väntar på att den som skapade rummet ska starta spelet.</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Ta bort</translation>
    </message>
    <message>
        <source>Couldn't connect to %1 (port %2).</source>
        <translation>Kunde inte ansluta till %1 (port %2).</translation>
    </message>
    <message>
        <source>Copy &amp;link</source>
        <translation>Kopiera länke&amp;n</translation>
    </message>
    <message>
        <source>Send your friends the link or the code: the link opens the game at this room, or they choose "Play with friends" and paste the link or type the code.</source>
        <translation>Skicka länken eller rumskoden till dina vänner: länken öppnar spelet i det här rummet, eller så väljer de ”Spela med vänner” och klistrar in länken eller skriver in rumskoden.</translation>
    </message>
    <message>
        <source>Link:</source>
        <translation>Länk:</translation>
    </message>
    <message>
        <source>created the room</source>
        <translation>skapade rummet</translation>
    </message>
    <message>
        <source>computer</source>
        <translation>dator</translation>
    </message>
</context>
<context>
    <name>trundlex::MainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arkiv</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>A&amp;vsluta</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Redigera</translation>
    </message>
    <message>
        <source>&amp;Speed</source>
        <translation>Ha&amp;stighet</translation>
    </message>
    <message>
        <source>Tool bar</source>
        <translation>Verktygsfält</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Visa</translation>
    </message>
    <message>
        <source>&amp;Tool bar</source>
        <translation>&amp;Verktygsfält</translation>
    </message>
    <message>
        <source>&amp;Status bar</source>
        <translation>&amp;Statusfält</translation>
    </message>
    <message>
        <source>&amp;Full screen</source>
        <translation>&amp;Helskärm</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hjälp</translation>
    </message>
    <message>
        <source>&amp;About Trundlex...</source>
        <translation>&amp;Om Trundlex...</translation>
    </message>
    <message>
        <source>About Trundlex</source>
        <translation>Om Trundlex</translation>
    </message>
    <message>
        <source>Minigolf for one or more players, on one computer or over the network. Made by the Trundlex team at Brackwater Works.</source>
        <translation>Minigolf för en eller flera spelare, på en dator eller över nätverket. Gjort av Trundlex-gänget på Brackwater Works.</translation>
    </message>
    <message>
        <source>&amp;Modern look</source>
        <translation>&amp;Modernt utseende</translation>
    </message>
    <message>
        <source>&amp;Classic look</source>
        <translation>&amp;Klassiskt utseende</translation>
    </message>
    <message>
        <source>F1 shows the manual.</source>
        <translation>F1 visar handboken.</translation>
    </message>
</context>
<context>
    <name>trundlex::ManualWindow</name>
    <message>
        <source>Trundlex manual</source>
        <translation>Handbok för Trundlex</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Bakåt</translation>
    </message>
</context>
<context>
    <name>trundlex::MatchResultsDialog</name>
    <message>
        <source>Game over</source>
        <translation>Spelet är slut</translation>
    </message>
    <message>
        <source>&amp;High scores...</source>
        <translation>&amp;Topplista...</translation>
    </message>
    <message>
        <source>&amp;New game...</source>
        <translation>&amp;Nytt spel...</translation>
    </message>
    <message>
        <source>&amp;Play again</source>
        <translation>&amp;Spela igen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Stäng</translation>
    </message>
    <message>
        <source>Par</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>Well played, %1!</source>
        <translation>Bra spelat, %1!</translation>
    </message>
    <message>
        <source>%1 wins!</source>
        <translation>%1 vinner!</translation>
    </message>
    <message>
        <source>%1 and %2 share the win!</source>
        <translation>%1 och %2 delar på segern!</translation>
    </message>
    <message numerus="yes">
        <source>Final standings after %n hole(s)</source>
        <translation><numerusform>Slutställning efter %n hål</numerusform><numerusform>Slutställning efter %n hål</numerusform></translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spelare</translation>
    </message>
    <message>
        <source>Strokes</source>
        <translation>Slag</translation>
    </message>
    <message>
        <source>To par</source>
        <translation>Mot par</translation>
    </message>
    <message>
        <source>(you)</source>
        <translation>(du)</translation>
    </message>
    <message>
        <source>The game ended early</source>
        <translation>Spelet slutade i förtid</translation>
    </message>
    <message>
        <source>Standings on hole %1 of %2</source>
        <translation>Ställningen på hål %1 av %2</translation>
    </message>
    <message>
        <source>&amp;Rejoin</source>
        <translation>&amp;Återvänd</translation>
    </message>
    <message>
        <source>New high score!</source>
        <translation>Nytt rekord på topplistan!</translation>
    </message>
    <message numerus="yes">
        <source>Today's best on this computer: %1, %n stroke(s)</source>
        <translation><numerusform>Dagens bästa på den här datorn: %1, %n slag</numerusform><numerusform>Dagens bästa på den här datorn: %1, %n slag</numerusform></translation>
    </message>
</context>
<context>
    <name>trundlex::NewGameWizard</name>
    <message>
        <source>New game</source>
        <translation>Nytt spel</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spelare</translation>
    </message>
    <message>
        <source>Levels</source>
        <translation>Banor</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Nätverk</translation>
    </message>
    <message>
        <source>&amp;Mode:</source>
        <translation>&amp;Läge:</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Adress:</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>Local game</source>
        <translation>Lokalt spel</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Klient</translation>
    </message>
    <message>
        <source>All players play on this computer.</source>
        <translation>Alla spelare spelar på den här datorn.</translation>
    </message>
    <message>
        <source>Network game. You choose the levels and which players will play on this computer; the other computers connect to this one.</source>
        <translation>Nätverksspel. Du väljer banorna och vilka spelare som ska spela på den här datorn; de andra datorerna ansluter till den här.</translation>
    </message>
    <message>
        <source>This computer has no network address.</source>
        <translation>Den här datorn har ingen nätverksadress.</translation>
    </message>
    <message numerus="yes">
        <source>This computer's IP address(es): %1</source>
        <translation><numerusform>Den här datorns IP-adress: %1</numerusform><numerusform>Den här datorns IP-adresser: %1</numerusform></translation>
    </message>
    <message>
        <source>Network game. You choose which players will play on this computer, then connect to the server at the address above.</source>
        <translation>Nätverksspel. Du väljer vilka spelare som ska spela på den här datorn och ansluter sedan till servern på adressen ovan.</translation>
    </message>
    <message>
        <source>Computer, easy</source>
        <translation>Dator, lätt</translation>
    </message>
    <message>
        <source>Computer, medium</source>
        <translation>Dator, medel</translation>
    </message>
    <message>
        <source>Computer, hard</source>
        <translation>Dator, svår</translation>
    </message>
    <message>
        <source>Players who &amp;leave are played by:</source>
        <translation>Spelare som lämnar spelas a&amp;v:</translation>
    </message>
    <message>
        <source>host name, IPv4 or IPv6 address, with :port if you like</source>
        <translation>värdnamn, IPv4- eller IPv6-adress, gärna med :port</translation>
    </message>
    <message>
        <source>Enter the server's host name or address.</source>
        <translation>Ange serverns värdnamn eller adress.</translation>
    </message>
    <message>
        <source>This is neither a host name nor an IP address.</source>
        <translation>Det här är varken ett värdnamn eller en IP-adress.</translation>
    </message>
    <message>
        <source>Write an IPv6 address with a port like this: [2001:db8::1]:49732</source>
        <translation>Skriv en IPv6-adress med port så här: [2001:db8::1]:49732</translation>
    </message>
    <message>
        <source>The port after the colon must be a number from 1 to 65535.</source>
        <translation>Porten efter kolonet måste vara ett tal från 1 till 65535.</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Online game. Create a room on the room host and send its code to your friends, or join a friend's room with the code they sent you.</source>
        <translation>Onlinespel. Skapa ett rum hos värden och skicka rumskoden till dina vänner, eller gå med i en väns rum med rumskoden du har fått.</translation>
    </message>
</context>
<context>
    <name>trundlex::OnlinePage</name>
    <message>
        <source>the room host's name, with :port if you like</source>
        <translation>värdens namn, gärna med :port</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Uppdatera</translation>
    </message>
    <message>
        <source>&amp;Create room</source>
        <translation>&amp;Skapa rum</translation>
    </message>
    <message>
        <source>&amp;Join room</source>
        <translation>&amp;Gå med i rum</translation>
    </message>
    <message>
        <source>Ho&amp;st:</source>
        <translation>Vär&amp;d:</translation>
    </message>
    <message>
        <source>Co&amp;urses:</source>
        <translation>&amp;Bansamlingar:</translation>
    </message>
    <message>
        <source>Room c&amp;ode:</source>
        <translation>Rums&amp;kod:</translation>
    </message>
    <message>
        <source>Enter the room host's name or address.</source>
        <translation>Ange värdens namn eller adress.</translation>
    </message>
    <message>
        <source>This is neither a host name nor an IP address.</source>
        <translation>Det här är varken ett värdnamn eller en IP-adress.</translation>
    </message>
    <message>
        <source>Asking %1 for its courses...</source>
        <translation>Frågar %1 efter bansamlingar...</translation>
    </message>
    <message>
        <source>%1 offers no courses.</source>
        <translation>%1 erbjuder inga bansamlingar.</translation>
    </message>
    <message>
        <source>Can't reach %1. Check the host name, or try again later.</source>
        <translation>Kan inte nå %1. Kontrollera värdnamnet eller försök igen senare.</translation>
    </message>
    <message>
        <source>%1 did not answer in time.</source>
        <translation>%1 svarade inte i tid.</translation>
    </message>
    <message>
        <source>%1 does not offer rooms.</source>
        <translation>%1 erbjuder inga rum.</translation>
    </message>
    <message>
        <source>%1 runs another version of the game (%2).</source>
        <translation>%1 kör en annan version av spelet (%2).</translation>
    </message>
    <message>
        <source>There is no room with the code %1.</source>
        <translation>Det finns inget rum med rumskoden %1.</translation>
    </message>
    <message>
        <source>The game in room %1 has already started.</source>
        <translation>Spelet i rum %1 har redan börjat.</translation>
    </message>
    <message>
        <source>Room %1 is full.</source>
        <translation>Rum %1 är fullt.</translation>
    </message>
    <message>
        <source>The host has no course named %1.</source>
        <translation>Värden har ingen bansamling som heter %1.</translation>
    </message>
    <message>
        <source>The host has no free room; try again later.</source>
        <translation>Värden har inget ledigt rum; försök igen senare.</translation>
    </message>
    <message>
        <source>Too many attempts; try again later.</source>
        <translation>För många försök; försök igen senare.</translation>
    </message>
    <message>
        <source>You have opened too many rooms on this host; try again later.</source>
        <translation>Du har öppnat för många rum hos den här värden; försök igen senare.</translation>
    </message>
    <message>
        <source>Too many connections from your network to this host.</source>
        <translation>För många anslutningar från ditt nätverk till den här värden.</translation>
    </message>
    <message>
        <source>The room's creator removed you from the room.</source>
        <translation>Den som skapade rummet tog bort dig ur rummet.</translation>
    </message>
    <message>
        <source>Your place in room %1 is no longer kept.</source>
        <translation>Din plats i rum %1 finns inte längre kvar.</translation>
    </message>
    <message>
        <source>Room codes never use 0, 1, I, L or O: check the code you were sent.</source>
        <translation>Rumskoder innehåller aldrig 0, 1, I, L eller O: kontrollera koden du fick.</translation>
    </message>
    <message>
        <source>A room code has six letters and digits.</source>
        <translation>En rumskod har sex bokstäver och siffror.</translation>
    </message>
    <message>
        <source>This is not a room link: a room link starts with trundlex:// or https://.</source>
        <translation>Det här är ingen länk till ett rum: en sådan länk börjar med trundlex:// eller https://.</translation>
    </message>
    <message>
        <source>The host in this link is neither a host name nor an IP address.</source>
        <translation>Värden i länken är varken ett värdnamn eller en IP-adress.</translation>
    </message>
    <message>
        <source>The port in this link is not a number from 1 to 65535.</source>
        <translation>Porten i länken är inte ett tal från 1 till 65535.</translation>
    </message>
    <message>
        <source>This link names no room: it should end with the room's code.</source>
        <translation>Länken anger inget rum: den ska sluta med rumskoden.</translation>
    </message>
    <message>
        <source>The room code in this link is not a room code: ask for the link again.</source>
        <translation>Rumskoden i länken är ingen rumskod: be om länken igen.</translation>
    </message>
    <message>
        <source>such as K7QX2M, or the room's link</source>
        <translation>till exempel K7QX2M, eller rummets länk</translation>
    </message>
</context>
<context>
    <name>trundlex::PlayersPage</name>
    <message>
        <source>&amp;Add &gt;&gt;</source>
        <translation>&amp;Lägg till &gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Ta bort</translation>
    </message>
    <message>
        <source>&amp;Transparent</source>
        <translation>Genoms&amp;kinlig</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Namn:</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spelare</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>Människa</translation>
    </message>
    <message>
        <source>Computer, easy</source>
        <translation>Dator, lätt</translation>
    </message>
    <message>
        <source>Computer, medium</source>
        <translation>Dator, medel</translation>
    </message>
    <message>
        <source>Computer, hard</source>
        <translation>Dator, svår</translation>
    </message>
    <message>
        <source>&amp;Plays:</source>
        <translation>&amp;Spelas av:</translation>
    </message>
    <message>
        <source>Computer %1</source>
        <translation>Dator %1</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Pa&amp;ttern:</source>
        <translation>&amp;Mönster:</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Färg:</translation>
    </message>
</context>
<context>
    <name>trundlex::ReplayBar</name>
    <message>
        <source>Whose putts</source>
        <translation>Vems puttar</translation>
    </message>
    <message>
        <source>Putt</source>
        <translation>Putt</translation>
    </message>
    <message>
        <source>Previous putt</source>
        <translation>Föregående putt</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Spela upp</translation>
    </message>
    <message>
        <source>Next putt</source>
        <translation>Nästa putt</translation>
    </message>
    <message>
        <source>Close the replay</source>
        <translation>Stäng reprisen</translation>
    </message>
    <message>
        <source>Replay speed</source>
        <translation>Reprisens hastighet</translation>
    </message>
    <message>
        <source>Fastest</source>
        <translation>Snabbast</translation>
    </message>
    <message>
        <source>Hole %1 (%2), stroke %3</source>
        <translation>Hål %1 (%2), slag %3</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Paus</translation>
    </message>
</context>
<context>
    <name>trundlex::SaveCourseDialog</name>
    <message>
        <source>Save course</source>
        <translation>Spara bansamling</translation>
    </message>
    <message>
        <source>&amp;Create new course</source>
        <translation>&amp;Skapa ny bansamling</translation>
    </message>
    <message>
        <source>&amp;Update an existing course</source>
        <translation>&amp;Uppdatera en befintlig bansamling</translation>
    </message>
    <message>
        <source>&amp;...</source>
        <translation>&amp;...</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Namn:</translation>
    </message>
    <message>
        <source>&amp;Filename:</source>
        <translation>&amp;Filnamn:</translation>
    </message>
    <message>
        <source>C&amp;ourse</source>
        <translation>&amp;Bansamling:</translation>
    </message>
    <message>
        <source>Course file (*.cou);;All files (*)</source>
        <translation>Bansamlingsfil (*.cou);;Alla filer (*)</translation>
    </message>
    <message>
        <source>Couldn't save file: %1</source>
        <translation>Kunde inte spara filen: %1</translation>
    </message>
</context>
<context>
    <name>trundlex::ScoreBoard</name>
    <message>
        <source>Name</source>
        <translation>Namn</translation>
    </message>
    <message>
        <source>Par</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Summa</translation>
    </message>
    <message>
        <source>%1 (computer)</source>
        <translation>%1 (dator)</translation>
    </message>
</context>
<context>
    <name>trundlex::SplashDialog</name>
    <message>
        <source>Reading files, please wait...</source>
        <translation>Läser filer, vänta...</translation>
    </message>
</context>
<context>
    <name>trundlex::StartScreen</name>
    <message>
        <source>Your &amp;name</source>
        <translation>Ditt &amp;namn</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Ditt namn</translation>
    </message>
    <message>
        <source>Type your name</source>
        <translation>Skriv ditt namn</translation>
    </message>
    <message>
        <source>Co&amp;mputer</source>
        <translation>&amp;Dator</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Lätt</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Medel</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Svår</translation>
    </message>
    <message>
        <source>Computer strength</source>
        <translation>Datorns styrka</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Fortsätt</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>S&amp;pela</translation>
    </message>
    <message>
        <source>Play against the computer on the course at once</source>
        <translation>Spela mot datorn på bansamlingen direkt</translation>
    </message>
    <message>
        <source>Create a room online or join a friend's room with its code</source>
        <translation>Skapa ett rum online eller gå med i en väns rum med rumskoden</translation>
    </message>
    <message>
        <source>&amp;Local game</source>
        <translation>&amp;Lokalt spel</translation>
    </message>
    <message>
        <source>Set up a game of several players on this computer or over the network</source>
        <translation>Ställ in ett spel för flera spelare på den här datorn eller över nätverket</translation>
    </message>
    <message>
        <source>&amp;Continue in room %1</source>
        <translation>&amp;Fortsätt i rum %1</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Fortsätt</translation>
    </message>
    <message>
        <source>Go back to the room game you left</source>
        <translation>Gå tillbaka till spelet i rummet du lämnade</translation>
    </message>
    <message>
        <source>Minigolf for one or more players, on one computer or over the network.</source>
        <translation>Minigolf för en eller flera spelare, på en dator eller över nätverket.</translation>
    </message>
    <message>
        <source>Play &amp;with friends</source>
        <translation>Spela &amp;med vänner</translation>
    </message>
    <message>
        <source>&amp;Today's course</source>
        <translation>Dagens &amp;bansamling</translation>
    </message>
    <message>
        <source>Play against the computer on the nine holes drawn for today, the same for everybody, with a high-score list of the day's own</source>
        <translation>Spela mot datorn på de nio hål som lottats fram för i dag, samma för alla, med en egen topplista för dagen</translation>
    </message>
</context>
</TS>