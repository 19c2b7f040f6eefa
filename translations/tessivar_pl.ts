<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>AboutTexts</name>
    <message>
        <source>Tessivar – a hauler&apos;s companion for Elite Dangerous

The program runs beside the game and reads only what the game writes to disk: the journal Journal*.log and the files Cargo.json and Market.json. Every four seconds it looks for new journal entries and from them shows your commander, ship, current system, the station you are docked at and your Fleet Carrier. It sends nothing to the game and changes nothing in it.

Main window
Shows the commander&apos;s name, the carrier and where it is, where you are docked and the journal lines as they come. The &quot;Show/Hide Panels&quot; boxes open and close the panels below. &quot;Lock panels&quot; tiles the windows along the screen edges or lets them float.

SYSTEM INFO
The factions of the current system with influence, states and conflicts, an influence chart and the station you are docked at.

CARGO
The ship&apos;s hold and the carrier loading list: what still has to be brought. The list shrinks by itself when you transfer cargo to the carrier or sell it on the carrier&apos;s market. The TOTAL row adds up the quantities, and the trips column tells how many full holds that still is. Pick the list&apos;s source in the drop-down: your own carrier, trade missions or an accepted contract.

CONSTRUCTION SITE
The materials a colony construction site still needs, with its progress. Site lists are saved and can be loaded later or added to the loading list.

DATA BASE
&quot;Last Shopping&quot;: where you last bought a commodity, at what price and how much.

MARKET
The station market&apos;s commodities with demand and stock, read from Market.json each time you open the market.

KELVANE
An order exchange: carrier owners post what they need, other commanders take an order with the right mouse button (&quot;Get contract&quot;) and see it on their loading list at once. The panel works only after you consent in the settings (🛠️), because it sends your commander name and carrier data to an external server.

Phone
Given the IP address of a phone running the companion app, the program sends it the loading list, the construction list and the dock information, and the app can ask it to copy a text to the clipboard or to search a commodity.
</source>
        <translation>Tessivar – pomocnik przewoźnika do Elite Dangerous

Program działa obok gry i czyta wyłącznie to, co gra zapisuje na dysku: dziennik Journal*.log oraz pliki Cargo.json i Market.json. Co cztery sekundy sprawdza nowe wpisy dziennika i na ich podstawie pokazuje dowódcę, statek, bieżący system, stację, na której zadokowałeś, oraz Twój lotniskowiec (Fleet Carrier). Niczego nie wysyła do gry i niczego w niej nie zmienia.

Okno główne
Pokazuje nazwę dowódcy, lotniskowiec i jego położenie, miejsce dokowania oraz bieżące wpisy dziennika. Pola wyboru „Pokaż/ukryj panele” otwierają i zamykają panele opisane niżej. „Zablokuj panele” układa okna przy krawędziach ekranu albo pozwala je swobodnie przesuwać.

INFO O SYSTEMIE
Frakcje bieżącego systemu z wpływami, stanami i konfliktami, wykres wpływów oraz dane stacji, na której jesteś zadokowany.

ŁADUNEK
Ładownia statku i lista załadunku lotniskowca: co jeszcze trzeba przywieźć. Lista sama się zmniejsza, gdy przenosisz towar na lotniskowiec albo sprzedajesz go na jego rynku. Wiersz TOTAL sumuje ilości, a kolumna kursów mówi, ile pełnych ładowni to jeszcze oznacza. Źródło listy wybierasz z listy rozwijanej: własny lotniskowiec, misje handlowe albo przyjęty kontrakt.

PLAC BUDOWY
Materiały, których jeszcze potrzebuje budowa kolonii, z postępem budowy. Listy budów są zapisywane i można je wczytać później albo dodać do listy załadunku.

BAZA DANYCH
„Last Shopping”: gdzie ostatnio kupiłeś dany towar, po ile i w jakiej ilości.

RYNEK
Towary rynku stacji z popytem i podażą, odczytane z Market.json przy każdym otwarciu rynku.

KELVANE
Giełda zleceń: właściciele lotniskowców publikują zapotrzebowanie, a inni dowódcy przyjmują zlecenia prawym przyciskiem myszy („Przyjmij zlecenie”) i widzą je od razu na liście załadunku. Panel działa tylko po wyrażeniu zgody w ustawieniach (🛠️), bo wysyła nazwę dowódcy i dane lotniskowca do zewnętrznego serwera.

Telefon
Po podaniu adresu IP telefonu z aplikacją towarzyszącą program wysyła do niej listę załadunku, listę budowy i informacje o dokowaniu, a aplikacja może poprosić o skopiowanie tekstu do schowka lub o wyszukanie towaru.
</translation>
    </message>
    <message>
        <source>1.3.0.0
- Kelvane order exchange: the order list, taking contracts onto the loading list, new orders for your own carrier.
- A sale on a carrier and opening its market update the orders on the server (only with your consent in the settings).
- The station market window.
- A check for a newer version whenever this window opens.
- Server requests no longer freeze the windows; a server that does not answer ends in a clear error.

1.2.0.0
- The link to the phone app: loading list, construction site and dock information on the phone.
- Mining and delivery missions as a source of the loading list.
- The pick list of common construction materials.

1.1.0.0
- Colony construction tracking and saved site lists.
- The &quot;Last Shopping&quot; store with commodity search.

1.0.0.0
- First release: the game journal, the main window, system and faction information, the ship&apos;s hold and the carrier loading list.
</source>
        <translation>1.3.0.0
- Giełda zleceń Kelvane: lista zleceń, przyjmowanie kontraktów na listę załadunku, nowe zlecenia dla własnego lotniskowca.
- Sprzedaż na lotniskowcu i otwarcie jego rynku aktualizują zlecenia na serwerze (tylko po wyrażeniu zgody w ustawieniach).
- Okno rynku stacji.
- Sprawdzanie nowej wersji przy otwarciu tego okna.
- Zapytania do serwera nie blokują już okien; brak odpowiedzi kończy się czytelnym błędem.

1.2.0.0
- Połączenie z aplikacją na telefonie: lista załadunku, budowa i dokowanie na telefonie.
- Misje górnicze i dostawcze jako źródło listy załadunku.
- Lista najczęściej potrzebnych materiałów budowlanych.

1.1.0.0
- Śledzenie budowy kolonii i zapisane listy budów.
- Baza „Last Shopping” z wyszukiwaniem towarów.

1.0.0.0
- Pierwsze wydanie: dziennik gry, okno główne, informacje o systemie i frakcjach, ładownia statku i lista załadunku lotniskowca.
</translation>
    </message>
</context>
<context>
    <name>CargoModule</name>
    <message>
        <source>These commodity names cannot be stored in zaladunek.ini and were not added: %1</source>
        <translation>Tych nazw towarów nie można zapisać w zaladunek.ini, więc nie zostały dodane: %1</translation>
    </message>
    <message>
        <source>The quantity of &quot;%1&quot; on the loading list is not a whole number: &quot;%2&quot;.</source>
        <translation>Ilość towaru „%1” na liście załadunku nie jest liczbą całkowitą: „%2”.</translation>
    </message>
    <message>
        <source>Commodity name</source>
        <translation>Nazwa towaru</translation>
    </message>
    <message>
        <source>Commodity name:</source>
        <translation>Nazwa towaru:</translation>
    </message>
    <message>
        <source>Commodity amount</source>
        <translation>Ilość towaru</translation>
    </message>
    <message>
        <source>Amount in tonnes:</source>
        <translation>Ilość w tonach:</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Podaj ilość</translation>
    </message>
    <message>
        <source>Not saved from row %1 on: the quantity of &quot;%2&quot; is not a whole number: &quot;%3&quot;.</source>
        <translation>Nie zapisano od wiersza %1: ilość towaru „%2” nie jest liczbą całkowitą: „%3”.</translation>
    </message>
    <message>
        <source>Not saved from row %1 on: %2</source>
        <translation>Nie zapisano od wiersza %1: %2</translation>
    </message>
    <message>
        <source>My Carrier</source>
        <translation>Mój lotniskowiec</translation>
    </message>
    <message>
        <source>Trade Missions</source>
        <translation>Misje handlowe</translation>
    </message>
    <message>
        <source>Still to buy</source>
        <translation>Do kupienia</translation>
    </message>
</context>
<context>
    <name>CargoReconciler</name>
    <message>
        <source>a carrier the ship is not known to be docked at</source>
        <translation>lotniskowiec, przy którym statek nie jest zadokowany</translation>
    </message>
    <message>
        <source>Cargo sold or transferred at %1 was not taken off the loading list: it is not your own carrier.</source>
        <translation>Towar sprzedany lub przeniesiony w %1 nie został zdjęty z listy załadunku: to nie jest twój lotniskowiec.</translation>
    </message>
    <message>
        <source>Cargo sold or transferred at %1 was not taken off the loading list: your own carrier is not known yet. The game names it when the carrier management screen is opened, or set CarrierID in the [Carrier] section of settings.ini.</source>
        <translation>Towar sprzedany lub przeniesiony w %1 nie został zdjęty z listy załadunku: twój lotniskowiec nie jest jeszcze znany. Gra podaje go po otwarciu ekranu zarządzania lotniskowcem; można też wpisać CarrierID w sekcji [Carrier] pliku settings.ini.</translation>
    </message>
</context>
<context>
    <name>CarrierLedger</name>
    <message>
        <source>Carrier ledger: %1 took %2 t of %3, but the ledger held %4 t; it now holds 0 t.</source>
        <translation>Stan lotniskowca: %1 zabrał(a) %2 t towaru %3, a stan wynosił %4 t; teraz wynosi 0 t.</translation>
    </message>
    <message>
        <source>a transfer</source>
        <translation>przeładunek</translation>
    </message>
    <message>
        <source>a purchase</source>
        <translation>zakup</translation>
    </message>
    <message>
        <source>a sale</source>
        <translation>sprzedaż</translation>
    </message>
    <message>
        <source>a sale reported by the hub</source>
        <translation>sprzedaż zgłoszona przez hub</translation>
    </message>
</context>
<context>
    <name>ColonyCockpit</name>
    <message>
        <source>Construction site complete</source>
        <translation>Budowa ukończona</translation>
    </message>
    <message>
        <source>%1 (%2) is complete.</source>
        <translation>%1 (%2) – budowa ukończona.</translation>
    </message>
    <message>
        <source>Nothing more to buy</source>
        <translation>Nic więcej do kupienia</translation>
    </message>
    <message>
        <source>%1: nothing more to buy.</source>
        <translation>%1: nic więcej do kupienia.</translation>
    </message>
    <message>
        <source>%1 %2 t (%3 Cr, stock %4)</source>
        <translation>%1 %2 t (%3 Cr, zapas %4)</translation>
    </message>
    <message>
        <source>Buy here for your sites: %1</source>
        <translation>Kup tutaj na swoje budowy: %1</translation>
    </message>
    <message>
        <source>Buy here: %1</source>
        <translation>Kup tutaj: %1</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Nie można zapisać %1: %2</translation>
    </message>
    <message>
        <source>Squadron carrier %1: %2 t in the ledger</source>
        <translation>Lotniskowiec eskadry %1: %2 t w ewidencji</translation>
    </message>
    <message>
        <source>Carrier %1: %2 t in the ledger</source>
        <translation>Lotniskowiec %1: %2 t w ewidencji</translation>
    </message>
    <message>
        <source>, %1 t free</source>
        <translation>, wolne %1 t</translation>
    </message>
    <message>
        <source>, %1 t of it reported by the hub</source>
        <translation>, z czego %1 t zgłosił hub</translation>
    </message>
    <message>
        <source>%1 h ago</source>
        <translation>%1 godz. temu</translation>
    </message>
    <message>
        <source> - the game counts %1 t; last anchored on the carrier&apos;s market %2</source>
        <translation> – gra liczy %1 t; ostatnio uzgodnione z rynkiem lotniskowca %2</translation>
    </message>
    <message>
        <source> - the game counts %1 t; open the carrier&apos;s market to anchor the ledger</source>
        <translation> – gra liczy %1 t; otwórz rynek lotniskowca, aby zakotwiczyć ewidencję</translation>
    </message>
</context>
<context>
    <name>ColonyTab</name>
    <message>
        <source>Colony</source>
        <translation>Kolonia</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Liczona</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Budowa</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Zostało</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Stan</translation>
    </message>
    <message>
        <source>Still to buy</source>
        <translation>Do kupienia</translation>
    </message>
    <message>
        <source>t</source>
        <translation>t</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>Kursy</translation>
    </message>
    <message>
        <source>Fits</source>
        <translation>Zmieści się</translation>
    </message>
    <message>
        <source>Forget site</source>
        <translation>Zapomnij budowę</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiuj</translation>
    </message>
    <message>
        <source>Still to buy, the carrier ledger and each site&apos;s needs as tab-separated text</source>
        <translation>Do kupienia, stan lotniskowca i potrzeby każdej budowy jako tekst rozdzielony tabulatorami</translation>
    </message>
    <message>
        <source>Save CSV…</source>
        <translation>Zapisz CSV…</translation>
    </message>
    <message>
        <source>Desktop notifications</source>
        <translation>Powiadomienia na pulpicie</translation>
    </message>
    <message>
        <source>A site completes, a commodity needs no more buying, a market sells what is still to buy</source>
        <translation>Budowa ukończona, towar nie wymaga już zakupów, rynek sprzedaje to, co jeszcze trzeba kupić</translation>
    </message>
    <message>
        <source>Save as CSV</source>
        <translation>Zapisz jako CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Pliki CSV (*.csv)</translation>
    </message>
    <message>
        <source>complete</source>
        <translation>ukończona</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>nieudana</translation>
    </message>
    <message>
        <source>open</source>
        <translation>trwa</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>tak</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nie</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>Needed %1 t, on the carriers %2 t, in the hold %3 t</source>
        <translation>Potrzeba %1 t, na lotniskowcach %2 t, w ładowni %3 t</translation>
    </message>
    <message>
        <source>No carrier known yet: open the carrier management screen in the game.</source>
        <translation>Lotniskowiec nie jest jeszcze znany: otwórz w grze ekran zarządzania lotniskowcem.</translation>
    </message>
    <message>
        <source>%1: buy %2 t at %3 Cr (stock %4)</source>
        <translation>%1: kup %2 t po %3 Cr (zapas %4)</translation>
    </message>
    <message>
        <source>Buy here (%1):
%2</source>
        <translation>Kup tutaj (%1):
%2</translation>
    </message>
</context>
<context>
    <name>ConstructionModule</name>
    <message>
        <source>%1: element %2 of &quot;ResourcesRequired&quot; %3</source>
        <translation>%1: element %2 listy „ResourcesRequired” %3</translation>
    </message>
    <message>
        <source>Cannot create the folder %1</source>
        <translation>Nie można utworzyć folderu %1</translation>
    </message>
    <message>
        <source>%1: the line is not a JSON object</source>
        <translation>%1: wiersz nie jest obiektem JSON</translation>
    </message>
    <message>
        <source>%1: &quot;ResourcesRequired&quot; is missing or not an array</source>
        <translation>%1: brak pola „ResourcesRequired” albo nie jest ono listą</translation>
    </message>
    <message>
        <source>is not an object</source>
        <translation>nie jest obiektem</translation>
    </message>
    <message>
        <source>has no text &quot;Name_Localised&quot;</source>
        <translation>nie ma tekstu „Name_Localised”</translation>
    </message>
    <message>
        <source>has no whole number &quot;RequiredAmount&quot;</source>
        <translation>nie ma liczby całkowitej „RequiredAmount”</translation>
    </message>
    <message>
        <source>has no whole number &quot;ProvidedAmount&quot;</source>
        <translation>nie ma liczby całkowitej „ProvidedAmount”</translation>
    </message>
    <message>
        <source>%1: element %2 of &quot;ResourcesRequired&quot; has an empty name; it is listed but not stored in the site&apos;s file</source>
        <translation>%1: element %2 listy „ResourcesRequired” ma pustą nazwę; jest pokazany, ale nie trafia do pliku budowy</translation>
    </message>
    <message>
        <source>%1: &quot;Contributions&quot; is missing or not an array</source>
        <translation>%1: brak pola „Contributions” albo nie jest ono listą</translation>
    </message>
    <message>
        <source>⬇️ Loading Construction from file</source>
        <translation>⬇️ Wczytaj budowę z pliku</translation>
    </message>
    <message>
        <source>Construction files (.ini)|*.ini</source>
        <translation>Pliki budowy (.ini)|*.ini</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid integer value ([MATS] %2 in %3)</source>
        <translation>„%1” nie jest poprawną liczbą całkowitą ([MATS] %2 w %3)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid integer value (row %2, %3); nothing was saved</source>
        <translation>„%1” nie jest poprawną liczbą całkowitą (wiersz %2, %3); nic nie zapisano</translation>
    </message>
</context>
<context>
    <name>DemoPlayer</name>
    <message>
        <source>The demo folder %1 holds no journal.</source>
        <translation>W folderze demo %1 nie ma dziennika.</translation>
    </message>
    <message>
        <source>Cannot read the demo journal %1: %2</source>
        <translation>Nie można odczytać dziennika demo %1: %2</translation>
    </message>
    <message>
        <source>Cannot create the folder %1</source>
        <translation>Nie można utworzyć folderu %1</translation>
    </message>
    <message>
        <source>Cannot copy %1 to %2</source>
        <translation>Nie można skopiować %1 do %2</translation>
    </message>
    <message>
        <source>Cannot write the demo journal %1: %2</source>
        <translation>Nie można zapisać dziennika demo %1: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Nie można zapisać %1: %2</translation>
    </message>
</context>
<context>
    <name>HoldReader</name>
    <message>
        <source>Cannot read the ship&apos;s cargo: %1</source>
        <translation>Nie można odczytać ładunku statku: %1</translation>
    </message>
</context>
<context>
    <name>HubClient</name>
    <message>
        <source>the reply is not an order list: &quot;%1&quot;</source>
        <translation>odpowiedź nie jest listą zleceń: „%1”</translation>
    </message>
    <message numerus="yes">
        <source>Kelvane hub: %n order line(s) could not be read and are left out.</source>
        <translation>
            <numerusform>Hub Kelvane: %n wiersz zlecenia był nieczytelny i został pominięty.</numerusform>
            <numerusform>Hub Kelvane: %n wiersze zleceń były nieczytelne i zostały pominięte.</numerusform>
            <numerusform>Hub Kelvane: %n wierszy zleceń było nieczytelnych i zostały pominięte.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HubSales</name>
    <message>
        <source>The hub&apos;s list of sales at your carrier could not be read: %1</source>
        <translation>Nie można odczytać listy sprzedaży w twoim lotniskowcu przysłanej przez hub: %1</translation>
    </message>
    <message>
        <source>The hub did not list the sales at your carrier: %1</source>
        <translation>Hub nie podał sprzedaży w twoim lotniskowcu: %1</translation>
    </message>
</context>
<context>
    <name>HubTransport</name>
    <message>
        <source>No Kelvane hub address is configured: enter it in Settings (🛠️ in the main window), tab Kelvane, and start the program again. Nothing is sent to the hub.</source>
        <translation>Nie podano adresu huba Kelvane: wpisz go w Ustawieniach (🛠️ w oknie głównym), karta Kelvane, i uruchom program ponownie. Nic nie jest wysyłane do huba.</translation>
    </message>
    <message>
        <source>The Kelvane hub address &quot;%1&quot; is not an http:// or https:// address. Nothing is sent to the hub.</source>
        <translation>Adres huba Kelvane „%1” nie jest adresem http:// ani https://. Nic nie jest wysyłane do huba.</translation>
    </message>
    <message>
        <source>Kelvane hub (%1): %2</source>
        <translation>Hub Kelvane (%1): %2</translation>
    </message>
</context>
<context>
    <name>InfluencePieChart</name>
    <message>
        <source>Influence of the factions in the system</source>
        <translation>Rozkład wpływów frakcji w systemie</translation>
    </message>
</context>
<context>
    <name>IniDocument</name>
    <message>
        <source>the file is in UTF-32, which the program cannot edit</source>
        <translation>plik jest w UTF-32, którego program nie potrafi edytować</translation>
    </message>
    <message>
        <source>the file is cut short in the middle of a UTF-16 character</source>
        <translation>plik urywa się w połowie znaku UTF-16</translation>
    </message>
    <message>
        <source>the file is not UTF-8 text (it holds NUL bytes)</source>
        <translation>plik nie jest tekstem UTF-8 (zawiera bajty NUL)</translation>
    </message>
    <message>
        <source>the file is too large to be an INI file</source>
        <translation>plik jest za duży jak na plik INI</translation>
    </message>
    <message>
        <source>Invalid INI section name: &quot;%1&quot;</source>
        <translation>Niepoprawna nazwa sekcji INI: „%1”</translation>
    </message>
    <message>
        <source>Invalid INI key: &quot;%1&quot;</source>
        <translation>Niepoprawny klucz INI: „%1”</translation>
    </message>
    <message>
        <source>Invalid INI value (line break): &quot;%1&quot;</source>
        <translation>Niepoprawna wartość INI (znak nowego wiersza): „%1”</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Nie można odczytać %1: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Nie można zapisać %1: %2</translation>
    </message>
</context>
<context>
    <name>JournalFollower</name>
    <message>
        <source>Unknown error</source>
        <translation>Nieznany błąd</translation>
    </message>
</context>
<context>
    <name>JournalPass</name>
    <message>
        <source>Unknown error</source>
        <translation>Nieznany błąd</translation>
    </message>
</context>
<context>
    <name>JournalReader</name>
    <message>
        <source>Error reading the file: %1</source>
        <translation>Błąd podczas odczytu pliku: %1</translation>
    </message>
    <message>
        <source>no journal file found</source>
        <translation>nie znaleziono pliku dziennika</translation>
    </message>
    <message>
        <source>the file became shorter</source>
        <translation>plik stał się krótszy</translation>
    </message>
</context>
<context>
    <name>JsonRead</name>
    <message>
        <source>%1: the field &quot;%2&quot; is missing</source>
        <translation>%1: brak pola „%2”</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is missing or not %3.</source>
        <translation>%1: brak „%2” albo nie jest to %3.</translation>
    </message>
    <message>
        <source>%1: the field &quot;%2&quot; is not %3</source>
        <translation>%1: pole „%2” nie jest to %3</translation>
    </message>
    <message>
        <source>a text</source>
        <translation>tekst</translation>
    </message>
    <message>
        <source>a whole number</source>
        <translation>liczba całkowita</translation>
    </message>
    <message>
        <source>a 32-bit whole number</source>
        <translation>32-bitowa liczba całkowita</translation>
    </message>
    <message>
        <source>an unsigned whole number</source>
        <translation>liczba całkowita bez znaku</translation>
    </message>
    <message>
        <source>Journal line: key &quot;%1&quot; is missing or has the wrong type</source>
        <translation>Wiersz dziennika: brak klucza „%1” albo ma on zły typ</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>System</source>
        <translation>Systemowy</translation>
    </message>
</context>
<context>
    <name>LoadingListFile</name>
    <message>
        <source>zaladunek.ini: the quantity of &quot;%1&quot; is not a whole number: &quot;%2&quot;.</source>
        <translation>zaladunek.ini: ilość towaru „%1” nie jest liczbą całkowitą: „%2”.</translation>
    </message>
    <message>
        <source>zaladunek.ini names a commodity twice in different letter case; only the first line is used until the two are joined into one: %1.</source>
        <translation>zaladunek.ini podaje ten sam towar dwa razy, różną wielkością liter; do czasu połączenia ich w jeden wiersz używany jest tylko pierwszy: %1.</translation>
    </message>
    <message>
        <source>Cannot remove %1</source>
        <translation>Nie można usunąć %1</translation>
    </message>
</context>
<context>
    <name>MainWindowModel</name>
    <message>
        <source>To activate KVN, you must consent to communication with the external server. Go to Settings.</source>
        <translation>Aby włączyć KVN, musisz zgodzić się na komunikację z zewnętrznym serwerem. Przejdź do ustawień.</translation>
    </message>
</context>
<context>
    <name>MarketModule</name>
    <message>
        <source>COMMODITY</source>
        <translation>TOWAR</translation>
    </message>
    <message>
        <source>PRICE</source>
        <translation>CENA</translation>
    </message>
    <message>
        <source>DEMAND</source>
        <translation>POPYT</translation>
    </message>
    <message>
        <source>STOCK</source>
        <translation>PODAŻ</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Nie można odczytać %1: %2</translation>
    </message>
    <message>
        <source>Market.json: the game&apos;s journal folder is not known</source>
        <translation>Market.json: folder dziennika gry nie jest znany</translation>
    </message>
    <message>
        <source>Market.json: %1 at offset %2</source>
        <translation>Market.json: %1 na pozycji %2</translation>
    </message>
    <message>
        <source>Market.json: the file does not hold a JSON object</source>
        <translation>Market.json: plik nie zawiera obiektu JSON</translation>
    </message>
    <message>
        <source>Market.json: the field &quot;Items&quot; is missing</source>
        <translation>Market.json: brak pola „Items”</translation>
    </message>
    <message>
        <source>Market.json: the field &quot;Items&quot; is not a list</source>
        <translation>Market.json: pole „Items” nie jest listą</translation>
    </message>
    <message>
        <source>Market.json, item %1</source>
        <translation>Market.json, pozycja %1</translation>
    </message>
    <message>
        <source>: not a JSON object</source>
        <translation>: to nie jest obiekt JSON</translation>
    </message>
</context>
<context>
    <name>MarketStore</name>
    <message>
        <source>Cannot create the folder %1</source>
        <translation>Nie można utworzyć folderu %1</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Nie można zapisać %1: %2</translation>
    </message>
    <message>
        <source>A stored market was skipped: %1</source>
        <translation>Pominięto zapisany rynek: %1</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Nie można odczytać %1: %2</translation>
    </message>
    <message>
        <source>%1 is larger than a market can be</source>
        <translation>%1 jest większy, niż może być rynek</translation>
    </message>
    <message>
        <source>%1 is not a stored market</source>
        <translation>%1 nie jest zapisanym rynkiem</translation>
    </message>
    <message>
        <source>%1 holds another market&apos;s id</source>
        <translation>%1 zawiera identyfikator innego rynku</translation>
    </message>
    <message>
        <source>%1: the list of commodities is missing or too long</source>
        <translation>%1: brak listy towarów albo jest za długa</translation>
    </message>
</context>
<context>
    <name>MissionModule</name>
    <message>
        <source>missions.ini: the Count of mission %1 is not a whole number; the section is kept as it is and not counted.</source>
        <translation>missions.ini: Count misji %1 nie jest liczbą całkowitą; sekcja zostaje bez zmian i nie jest liczona.</translation>
    </message>
</context>
<context>
    <name>MobileLink</name>
    <message>
        <source>Sending to the mobile app failed: %1</source>
        <translation>Wysyłanie do aplikacji na telefonie nie powiodło się: %1</translation>
    </message>
    <message>
        <source>Connection timed out</source>
        <translation>Przekroczono czas połączenia</translation>
    </message>
    <message>
        <source>
Untick and tick &quot;Active&quot; to connect again.</source>
        <translation>
Odznacz i zaznacz „Aktywne”, aby połączyć ponownie.</translation>
    </message>
    <message>
        <source>The mobile app stopped taking data (more than 1 MiB is waiting to be sent), so sending to it has stopped.</source>
        <translation>Aplikacja na telefonie przestała odbierać dane (ponad 1 MiB czeka na wysłanie), więc wysyłanie zostało wstrzymane.</translation>
    </message>
</context>
<context>
    <name>NoticeModel</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 (%n times)</source>
        <translation>
            <numerusform>%1: %2 (%n raz)</numerusform>
            <numerusform>%1: %2 (%n razy)</numerusform>
            <numerusform>%1: %2 (%n razy)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NoticeStrip</name>
    <message>
        <source>Dismiss</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Clear these messages</source>
        <translation>Usuń te komunikaty</translation>
    </message>
    <message numerus="yes">
        <source>%1  (%n more)</source>
        <translation>
            <numerusform>%1  (jeszcze %n)</numerusform>
            <numerusform>%1  (jeszcze %n)</numerusform>
            <numerusform>%1  (jeszcze %n)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>OrderLines</name>
    <message>
        <source>none</source>
        <translation>brak</translation>
    </message>
    <message>
        <source>Demand</source>
        <translation>Zapotrzebowanie</translation>
    </message>
    <message>
        <source>Unload</source>
        <translation>Rozładunek</translation>
    </message>
    <message>
        <source>🆔 Carrier ID: %1</source>
        <translation>🆔 ID lotniskowca: %1</translation>
    </message>
    <message>
        <source>📥 Action: %1</source>
        <translation>📥 Akcja: %1</translation>
    </message>
    <message>
        <source>📍 Location: %1</source>
        <translation>📍 Miejsce: %1</translation>
    </message>
    <message>
        <source>📦 Commodity: [%1] 🔢 %2 / 💰 %3% AVG;</source>
        <translation>📦 Towar: [%1] 🔢 %2 / 💰 %3% ŚR.;</translation>
    </message>
</context>
<context>
    <name>ReportSink</name>
    <message>
        <source>Unknown error</source>
        <translation>Nieznany błąd</translation>
    </message>
</context>
<context>
    <name>ShipInfo</name>
    <message>
        <source>Ship</source>
        <translation>Statek</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nazwa</translation>
    </message>
    <message>
        <source>Cargo</source>
        <translation>Ładownia</translation>
    </message>
</context>
<context>
    <name>ShoppingDb</name>
    <message>
        <source>MarketBuy: the line is not a JSON object</source>
        <translation>MarketBuy: wiersz nie jest obiektem JSON</translation>
    </message>
    <message>
        <source>Cannot create the folder %1</source>
        <translation>Nie można utworzyć folderu %1</translation>
    </message>
    <message>
        <source>💰%1CR (Buying: %2)</source>
        <translation>💰%1CR (kupiono: %2)</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>Stacja</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Cena</translation>
    </message>
    <message>
        <source>Stock</source>
        <translation>Podaż</translation>
    </message>
    <message>
        <source>Seen</source>
        <translation>Widziany</translation>
    </message>
    <message>
        <source>Commodities sold</source>
        <translation>Towary na sprzedaż</translation>
    </message>
    <message>
        <source>Star system</source>
        <translation>System</translation>
    </message>
</context>
<context>
    <name>StateParsers</name>
    <message>
        <source>Journal line: an element of &quot;%1&quot; is not an object</source>
        <translation>Wiersz dziennika: element „%1” nie jest obiektem</translation>
    </message>
    <message>
        <source>Journal line is not a JSON object</source>
        <translation>Wiersz dziennika nie jest obiektem JSON</translation>
    </message>
    <message>
        <source>Journal line: &quot;StarPos&quot; has fewer than three numbers</source>
        <translation>Wiersz dziennika: „StarPos” ma mniej niż trzy liczby</translation>
    </message>
    <message>
        <source>Journal line: an element of &quot;StarPos&quot; is not a number</source>
        <translation>Wiersz dziennika: element „StarPos” nie jest liczbą</translation>
    </message>
</context>
<context>
    <name>SystemInfo</name>
    <message>
        <source>No active state</source>
        <translation>Brak aktywnego stanu</translation>
    </message>
    <message>
        <source>Boom — economic growth and more activity</source>
        <translation>Boom — rozwój gospodarczy i wzrost aktywności</translation>
    </message>
    <message>
        <source>Bust — the economy collapses</source>
        <translation>Bust — załamanie gospodarki</translation>
    </message>
    <message>
        <source>Civil unrest — tension within</source>
        <translation>Niepokoje społeczne — napięcia wewnętrzne</translation>
    </message>
    <message>
        <source>Civil war — factions fight for control</source>
        <translation>Wojna domowa — frakcje walczą o kontrolę</translation>
    </message>
    <message>
        <source>Election — a democratic change of power</source>
        <translation>Wybory — demokratyczne przejęcie władzy</translation>
    </message>
    <message>
        <source>Expansion — a faction tries to spread its influence</source>
        <translation>Ekspansja — frakcja próbuje rozszerzyć wpływy</translation>
    </message>
    <message>
        <source>Investment — more money is spent</source>
        <translation>Inwestycja — wzmożone nakłady finansowe</translation>
    </message>
    <message>
        <source>Retreat — a faction loses influence</source>
        <translation>Odwrót — frakcja traci wpływy</translation>
    </message>
    <message>
        <source>War — an armed conflict is on</source>
        <translation>Wojna — aktywny konflikt zbrojny</translation>
    </message>
    <message>
        <source>Invasion — another faction attacks the system</source>
        <translation>Inwazja — atak innej frakcji na system</translation>
    </message>
    <message>
        <source>Outbreak — a disease breaks out in the system</source>
        <translation>Epidemia — wybuch choroby w systemie</translation>
    </message>
    <message>
        <source>Famine — food and supplies run short</source>
        <translation>Głód — niedobory żywności i zasobów</translation>
    </message>
    <message>
        <source>Lockdown — the system is closed, no services</source>
        <translation>Blokada — zamknięcie systemu, brak usług</translation>
    </message>
    <message>
        <source>Pirate attack — criminals overrun the system</source>
        <translation>Atak piratów — system opanowany przez przestępców</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nr</translation>
    </message>
    <message>
        <source>Faction</source>
        <translation>Frakcja</translation>
    </message>
    <message>
        <source>Allegiance</source>
        <translation>Przynależność</translation>
    </message>
    <message>
        <source>Influence</source>
        <translation>Wpływy</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Stan</translation>
    </message>
    <message>
        <source>Government</source>
        <translation>Rząd</translation>
    </message>
    <message>
        <source>Rep.</source>
        <translation>Rep.</translation>
    </message>
    <message>
        <source>Unknown state</source>
        <translation>Nieznany stan</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Systemowy</translation>
    </message>
    <message>
        <source>Population</source>
        <translation>Populacja</translation>
    </message>
    <message>
        <source>Economy</source>
        <translation>Gospodarka</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>Bezpieczeństwo</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>Stacja</translation>
    </message>
    <message>
        <source>Market ID</source>
        <translation>ID rynku</translation>
    </message>
    <message>
        <source>Station faction</source>
        <translation>Frakcja stacji</translation>
    </message>
</context>
<context>
    <name>Tf_BGS</name>
    <message>
        <source>System Info</source>
        <translation>Informacje o systemie</translation>
    </message>
    <message>
        <source>SYSTEM</source>
        <translation>SYSTEM</translation>
    </message>
    <message>
        <source>STATION</source>
        <translation>STACJA</translation>
    </message>
    <message>
        <source>SHIP</source>
        <translation>STATEK</translation>
    </message>
    <message>
        <source>Factions</source>
        <translation>Frakcje</translation>
    </message>
</context>
<context>
    <name>Tf_Construct</name>
    <message>
        <source>Construction Site</source>
        <translation>Plac budowy</translation>
    </message>
    <message>
        <source>System:</source>
        <translation>System:</translation>
    </message>
    <message>
        <source>Station:</source>
        <translation>Stacja:</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Typ:</translation>
    </message>
    <message>
        <source>Market ID:</source>
        <translation>ID rynku:</translation>
    </message>
    <message>
        <source>Progress:</source>
        <translation>Postęp:</translation>
    </message>
    <message>
        <source>⬅️ Add to Carrier Loading list</source>
        <translation>⬅️ Dodaj do listy załadunku lotniskowca</translation>
    </message>
    <message>
        <source>⬇️ Loading Construction from file</source>
        <translation>⬇️ Wczytaj budowę z pliku</translation>
    </message>
    <message>
        <source>🔍 Find on markets (local files)</source>
        <translation>🔍 Szukaj na rynkach (pliki lokalne)</translation>
    </message>
    <message>
        <source>⬅️ Add all to Loading list</source>
        <translation>⬅️ Dodaj wszystko do listy załadunku</translation>
    </message>
    <message>
        <source>Add to the current list</source>
        <translation>Dodaj do bieżącej listy</translation>
    </message>
    <message>
        <source>💾 Save changes</source>
        <translation>💾 Zapisz zmiany</translation>
    </message>
    <message>
        <source>Commodity</source>
        <translation>Towar</translation>
    </message>
    <message>
        <source>Needed</source>
        <translation>Potrzeba</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>Kursy</translation>
    </message>
    <message>
        <source>TOTAL</source>
        <translation>RAZEM</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>%1 full trips and %2 t</source>
        <translation>%1 pełnych kursów i %2 t</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Budowa</translation>
    </message>
</context>
<context>
    <name>Tf_DB</name>
    <message>
        <source>📋 Copy</source>
        <translation>📋 Kopiuj</translation>
    </message>
    <message>
        <source>Copy to clipboard</source>
        <translation>Kopiuj do schowka</translation>
    </message>
    <message>
        <source>Last Shopping — Data Base</source>
        <translation>Last Shopping — baza danych</translation>
    </message>
    <message>
        <source>🗄️ Data Base</source>
        <translation>🗄️ Baza danych</translation>
    </message>
    <message>
        <source>Markets</source>
        <translation>Rynki</translation>
    </message>
    <message>
        <source>Last Shopping</source>
        <translation>Last Shopping</translation>
    </message>
    <message>
        <source>Find Commodity: </source>
        <translation>Szukaj towaru: </translation>
    </message>
    <message>
        <source>Commodity name</source>
        <translation>Nazwa towaru</translation>
    </message>
    <message>
        <source>🔎 Find in Last Shopping</source>
        <translation>🔎 Szukaj w Last Shopping</translation>
    </message>
    <message>
        <source>LAST BUYING:</source>
        <translation>OSTATNI ZAKUP:</translation>
    </message>
    <message>
        <source>OTHER COMMODITY IN MARKET:</source>
        <translation>INNE TOWARY NA TYM RYNKU:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not in Last Shopping: buy it once and it is remembered here.</source>
        <translation>„%1” nie ma w Last Shopping: kup go raz, a zostanie tu zapamiętany.</translation>
    </message>
    <message>
        <source>Type a commodity and press Find: where you last bought it shows here.</source>
        <translation>Wpisz towar i naciśnij Szukaj: tu pojawi się miejsce, gdzie kupiłeś go ostatnio.</translation>
    </message>
    <message>
        <source>💰%1CR (Buying: %2)</source>
        <translation>💰%1CR (kupiono: %2)</translation>
    </message>
    <message>
        <source>Every market you have opened in the game, newest first. Click a heading to sort.</source>
        <translation>Każdy rynek otwarty w grze, od najnowszego. Kliknij nagłówek, aby posortować.</translation>
    </message>
    <message>
        <source>Sold at markets you have seen</source>
        <translation>Sprzedawany na rynkach, które widziałeś</translation>
    </message>
    <message>
        <source>You have not bought %1 yet. The newest market you have seen selling it: %2 in %3, %4 Cr.</source>
        <translation>Nie kupiłeś jeszcze: %1. Najnowszy widziany rynek, który go sprzedaje: %2 w %3, %4 Cr.</translation>
    </message>
    <message>
        <source>Markets you open in the game are remembered; a search lists those selling it.</source>
        <translation>Rynki otwarte w grze są zapamiętywane; wyszukiwanie pokazuje te, które sprzedają towar.</translation>
    </message>
    <message>
        <source>No market you have seen sells %1.</source>
        <translation>Żaden widziany rynek nie sprzedaje: %1.</translation>
    </message>
</context>
<context>
    <name>Tf_ED</name>
    <message>
        <source>copy</source>
        <translation>kopiuj</translation>
    </message>
    <message>
        <source>Copy to clipboard</source>
        <translation>Kopiuj do schowka</translation>
    </message>
    <message>
        <source>Link: after the journal is read</source>
        <translation>Połączenie: po odczycie dziennika</translation>
    </message>
    <message>
        <source>Link: off</source>
        <translation>Połączenie: wyłączone</translation>
    </message>
    <message>
        <source>Link: connecting…</source>
        <translation>Połączenie: łączenie…</translation>
    </message>
    <message>
        <source>Link: connected</source>
        <translation>Połączenie: nawiązane</translation>
    </message>
    <message>
        <source>Link: connected, not sending</source>
        <translation>Połączenie: nawiązane, bez wysyłania</translation>
    </message>
    <message>
        <source>Link: lost; tick Active to retry</source>
        <translation>Połączenie: zerwane; zaznacz Aktywne, aby spróbować ponownie</translation>
    </message>
    <message>
        <source>Reading the journal… %p%</source>
        <translation>Odczyt dziennika… %p%</translation>
    </message>
    <message>
        <source>About Tessivar</source>
        <translation>O programie Tessivar</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Pomoc</translation>
    </message>
    <message>
        <source>Lock panels</source>
        <translation>Zablokuj panele</translation>
    </message>
    <message>
        <source>Lock / Release panels</source>
        <translation>Zablokuj / zwolnij panele</translation>
    </message>
    <message>
        <source>Get newest version from website</source>
        <translation>Pobierz najnowszą wersję ze strony</translation>
    </message>
    <message>
        <source>Commander Info</source>
        <translation>Dowódca</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nazwa:</translation>
    </message>
    <message>
        <source>CR:</source>
        <translation>CR:</translation>
    </message>
    <message>
        <source>ℹ️ Full Info</source>
        <translation>ℹ️ Szczegóły</translation>
    </message>
    <message>
        <source>Show more info about commander</source>
        <translation>Pokaż więcej informacji o dowódcy</translation>
    </message>
    <message>
        <source>Show/Hide Panels:</source>
        <translation>Pokaż/ukryj panele:</translation>
    </message>
    <message>
        <source>SYSTEM INFO</source>
        <translation>INFO O SYSTEMIE</translation>
    </message>
    <message>
        <source>CARGO</source>
        <translation>ŁADUNEK</translation>
    </message>
    <message>
        <source>CONSTRUCTION SITE</source>
        <translation>PLAC BUDOWY</translation>
    </message>
    <message>
        <source>DATA BASE</source>
        <translation>BAZA DANYCH</translation>
    </message>
    <message>
        <source>KELVANE</source>
        <translation>KELVANE</translation>
    </message>
    <message>
        <source>MARKET</source>
        <translation>RYNEK</translation>
    </message>
    <message>
        <source>Send a copy to mobile:</source>
        <translation>Wysyłaj kopię na telefon:</translation>
    </message>
    <message>
        <source>Phone address:</source>
        <translation>Adres IP telefonu:</translation>
    </message>
    <message>
        <source>phone&apos;s address</source>
        <translation>adres telefonu</translation>
    </message>
    <message>
        <source>The address the phone app shows, such as 192.168.1.20</source>
        <translation>Adres, który pokazuje aplikacja na telefonie, np. 192.168.1.20</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktywne</translation>
    </message>
    <message>
        <source>Activate sending data to mobile</source>
        <translation>Włącz wysyłanie danych na telefon</translation>
    </message>
    <message>
        <source>Carrier Info:</source>
        <translation>Lotniskowiec:</translation>
    </message>
    <message>
        <source>🚀 Name:</source>
        <translation>🚀 Nazwa:</translation>
    </message>
    <message>
        <source>✨ System:</source>
        <translation>✨ System:</translation>
    </message>
    <message>
        <source>🪐 Body:</source>
        <translation>🪐 Ciało:</translation>
    </message>
    <message>
        <source>Dock Info</source>
        <translation>Dokowanie</translation>
    </message>
    <message>
        <source>Station:</source>
        <translation>Stacja:</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Typ:</translation>
    </message>
</context>
<context>
    <name>Tf_KVN</name>
    <message>
        <source>📡 KELVANE</source>
        <translation>📡 KELVANE</translation>
    </message>
    <message>
        <source>Refresh contract list</source>
        <translation>Odśwież listę zleceń</translation>
    </message>
    <message>
        <source>Add new demand</source>
        <translation>Dodaj nowe zapotrzebowanie</translation>
    </message>
    <message>
        <source>📜 Contract market</source>
        <translation>📜 Giełda zleceń</translation>
    </message>
    <message>
        <source>Get contract by right mouse button</source>
        <translation>Przyjmij zlecenie prawym przyciskiem myszy</translation>
    </message>
    <message>
        <source>📋 Accepted contracts</source>
        <translation>📋 Przyjęte zlecenia</translation>
    </message>
    <message>
        <source> ➕ Get contract</source>
        <translation> ➕ Przyjmij zlecenie</translation>
    </message>
    <message>
        <source>Next refresh in (s):</source>
        <translation>Następne odświeżenie za (s):</translation>
    </message>
    <message>
        <source>The hub is asked again at most once a minute; ⭮ works again at 0.</source>
        <translation>Serwer jest odpytywany najwyżej raz na minutę; ⭮ znów działa przy 0.</translation>
    </message>
    <message>
        <source>✔️ CLOSE</source>
        <translation>✔️ ZAMKNIJ</translation>
    </message>
    <message>
        <source>KVN</source>
        <translation>KVN</translation>
    </message>
</context>
<context>
    <name>Tf_KVN_add</name>
    <message>
        <source>New order — Kelvane</source>
        <translation>Nowe zlecenie — Kelvane</translation>
    </message>
    <message>
        <source> ➕ Add new contract</source>
        <translation> ➕ Dodaj nowe zlecenie</translation>
    </message>
    <message>
        <source>I accept sending my player name and Fleet Carrier to the remote server.</source>
        <translation>Zgadzam się na wysyłanie nazwy gracza i lotniskowca na zdalny serwer.</translation>
    </message>
    <message>
        <source>your fleet carrier&apos;s name</source>
        <translation>nazwa Twojego lotniskowca</translation>
    </message>
    <message>
        <source>Carrier ID / Name:</source>
        <translation>ID / nazwa lotniskowca:</translation>
    </message>
    <message>
        <source>not known yet: the journal names it once the carrier is seen</source>
        <translation>jeszcze nieznane: dziennik poda je, gdy lotniskowiec się pojawi</translation>
    </message>
    <message>
        <source>Carrier location (System / Station):</source>
        <translation>Położenie lotniskowca (system / stacja):</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Typ:</translation>
    </message>
    <message>
        <source>Demand</source>
        <translation>Zapotrzebowanie</translation>
    </message>
    <message>
        <source>Unload</source>
        <translation>Rozładunek</translation>
    </message>
    <message>
        <source>Commodity:</source>
        <translation>Towar:</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Ilość</translation>
    </message>
    <message>
        <source>% AVG</source>
        <translation>% ŚR.</translation>
    </message>
    <message>
        <source> ➕ ADD</source>
        <translation> ➕ DODAJ</translation>
    </message>
    <message>
        <source>❌ CANCEL</source>
        <translation>❌ ANULUJ</translation>
    </message>
    <message>
        <source>Carrier ID: %1</source>
        <translation>ID lotniskowca: %1</translation>
    </message>
    <message>
        <source>Carrier ID: not known yet</source>
        <translation>ID lotniskowca: jeszcze nieznane</translation>
    </message>
    <message>
        <source>Carrier ID / Name: type your fleet carrier&apos;s name.</source>
        <translation>ID / nazwa lotniskowca: wpisz nazwę swojego lotniskowca.</translation>
    </message>
    <message>
        <source>Carrier location: not known yet. Open the carrier&apos;s management screen in the game (or jump it) so the journal names its system, then try again.</source>
        <translation>Położenie lotniskowca: jeszcze nieznane. Otwórz w grze ekran zarządzania lotniskowcem (albo wykonaj skok), aby dziennik podał jego system, i spróbuj ponownie.</translation>
    </message>
    <message>
        <source>Commodity: choose one of the list, not a heading.</source>
        <translation>Towar: wybierz pozycję z listy, nie nagłówek.</translation>
    </message>
    <message>
        <source>Count: give a number of units above 0.</source>
        <translation>Ilość: podaj liczbę jednostek większą od 0.</translation>
    </message>
    <message>
        <source>% AVG: give a percentage above 0.</source>
        <translation>% ŚR.: podaj procent większy od 0.</translation>
    </message>
    <message>
        <source>BASE:</source>
        <translation>PODSTAWOWE:</translation>
    </message>
    <message>
        <source>OTHER:</source>
        <translation>INNE:</translation>
    </message>
</context>
<context>
    <name>Tf_about</name>
    <message>
        <source>About Tessivar</source>
        <translation>O programie Tessivar</translation>
    </message>
    <message>
        <source>Get newest version from website</source>
        <translation>Pobierz najnowszą wersję ze strony</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Opis</translation>
    </message>
    <message>
        <source>Change log</source>
        <translation>Zmiany w kolejnych wersjach</translation>
    </message>
    <message>
        <source>Open in browser</source>
        <translation>Otwórz w przeglądarce</translation>
    </message>
    <message>
        <source>📋 Copy to clipboard</source>
        <translation>📋 Kopiuj do schowka</translation>
    </message>
    <message>
        <source>❌ Close</source>
        <translation>❌ Zamknij</translation>
    </message>
</context>
<context>
    <name>Tf_cargo</name>
    <message>
        <source>Cargo</source>
        <translation>Ładownia</translation>
    </message>
    <message>
        <source>📦 Ship Cargo</source>
        <translation>📦 Ładownia statku</translation>
    </message>
    <message>
        <source>💾 Save Changes</source>
        <translation>💾 Zapisz zmiany</translation>
    </message>
    <message>
        <source>↩️ Undo</source>
        <translation>↩️ Cofnij</translation>
    </message>
    <message>
        <source>Take back the last change of the loading list (Ctrl+Z)</source>
        <translation>Cofnij ostatnią zmianę listy załadunku (Ctrl+Z)</translation>
    </message>
    <message>
        <source>📥 Carrier Loading</source>
        <translation>📥 Załadunek lotniskowca</translation>
    </message>
    <message>
        <source>⬅️ Add to list</source>
        <translation>⬅️ Dodaj do listy</translation>
    </message>
    <message>
        <source>📋 Clear the list</source>
        <translation>📋 Wyczyść listę</translation>
    </message>
    <message>
        <source>🔍 Find on markets (local files)</source>
        <translation>🔍 Szukaj na rynkach (pliki lokalne)</translation>
    </message>
    <message>
        <source>⬅️ Add to loading list</source>
        <translation>⬅️ Dodaj do listy załadunku</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>%1 full trips and %2 t</source>
        <translation>%1 pełnych kursów i %2 t</translation>
    </message>
    <message>
        <source>Basic materials</source>
        <translation>PODSTAWOWE</translation>
    </message>
    <message>
        <source>Further materials</source>
        <translation>DODATKOWE</translation>
    </message>
    <message>
        <source>Commodity</source>
        <translation>Towar</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Ilość</translation>
    </message>
    <message>
        <source>Trips</source>
        <translation>Kursy</translation>
    </message>
    <message>
        <source>➕ Add your own commodity</source>
        <translation>➕ Dodaj własny towar</translation>
    </message>
    <message>
        <source>❌ Remove commodity</source>
        <translation>❌ Usuń towar</translation>
    </message>
</context>
<context>
    <name>Tf_market</name>
    <message>
        <source>Market</source>
        <translation>Rynek</translation>
    </message>
    <message>
        <source>🛒 MARKET</source>
        <translation>🛒 RYNEK</translation>
    </message>
</context>
<context>
    <name>Tf_mission</name>
    <message>
        <source>Missions</source>
        <translation>Misje</translation>
    </message>
    <message>
        <source>⛏️ MISSIONS</source>
        <translation>⛏️ MISJE</translation>
    </message>
    <message>
        <source>✔️ CLOSE</source>
        <translation>✔️ ZAMKNIJ</translation>
    </message>
</context>
<context>
    <name>Tf_send_to_mobile</name>
    <message>
        <source>Send to mobile</source>
        <translation>Wyślij na telefon</translation>
    </message>
</context>
<context>
    <name>Tf_settings</name>
    <message>
        <source>SETTINGS</source>
        <translation>USTAWIENIA</translation>
    </message>
    <message>
        <source>🛠️ SETTINGS</source>
        <translation>🛠️ USTAWIENIA</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Ogólne</translation>
    </message>
    <message>
        <source>Browser page</source>
        <translation>Strona w przeglądarce</translation>
    </message>
    <message>
        <source>Journal folder</source>
        <translation>Folder dziennika</translation>
    </message>
    <message>
        <source>the game&apos;s journal folder (found by itself when left empty)</source>
        <translation>folder dziennika gry (pusty: program znajdzie go sam)</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Przeglądaj…</translation>
    </message>
    <message>
        <source>No journal folder was found. Looked at:</source>
        <translation>Nie znaleziono folderu dziennika. Sprawdzono:</translation>
    </message>
    <message>
        <source>Takes effect at the next start.</source>
        <translation>Zadziała przy następnym uruchomieniu.</translation>
    </message>
    <message>
        <source>Phone address</source>
        <translation>Adres telefonu</translation>
    </message>
    <message>
        <source>the address the phone app shows, such as 192.168.1.20</source>
        <translation>adres, który pokazuje aplikacja na telefonie, np. 192.168.1.20</translation>
    </message>
    <message>
        <source>Takes effect at once; &quot;Active&quot; in the main window starts sending.</source>
        <translation>Działa od razu; „Aktywne” w oknie głównym włącza wysyłanie.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Język</translation>
    </message>
    <message>
        <source>To activate KVN, you must consent to communication with the external server</source>
        <translation>Aby włączyć KVN, musisz zgodzić się na komunikację z zewnętrznym serwerem</translation>
    </message>
    <message>
        <source>I agree to send information to an external server. (cmdr name, carrier market id, carrier location, buy, sell data)</source>
        <translation>Zgadzam się na wysyłanie informacji na zewnętrzny serwer (nazwa dowódcy, ID rynku lotniskowca, położenie lotniskowca, dane kupna i sprzedaży).</translation>
    </message>
    <message>
        <source>Takes effect at once.</source>
        <translation>Działa od razu.</translation>
    </message>
    <message>
        <source>Owner code of your carrier: the hub takes your carrier&apos;s orders only with this code. Use the same code on every computer that posts them, and keep it secret.</source>
        <translation>Kod właściciela lotniskowca: serwer przyjmuje zlecenia Twojego lotniskowca tylko z tym kodem. Używaj tego samego kodu na każdym komputerze, z którego je publikujesz, i zachowaj go w tajemnicy.</translation>
    </message>
    <message>
        <source>made when you first post an order, or paste the code of your other computer</source>
        <translation>tworzony przy pierwszym zleceniu; możesz też wkleić kod z innego komputera</translation>
    </message>
    <message>
        <source>👁 Show</source>
        <translation>👁 Pokaż</translation>
    </message>
    <message>
        <source>Hub address</source>
        <translation>Adres serwera</translation>
    </message>
    <message>
        <source>https://… the address of the Kelvane hub</source>
        <translation>https://… adres serwera Kelvane</translation>
    </message>
    <message>
        <source>Share to browser</source>
        <translation>Udostępniaj w przeglądarce</translation>
    </message>
    <message>
        <source>this computer only</source>
        <translation>tylko ten komputer</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Each takes effect at once; the main window shows the page&apos;s address.</source>
        <translation>Każde działa od razu; okno główne pokazuje adres strony.</translation>
    </message>
    <message>
        <source>🙈 Hide</source>
        <translation>🙈 Ukryj</translation>
    </message>
    <message>
        <source>Desktop notifications</source>
        <translation>Powiadomienia na pulpicie</translation>
    </message>
    <message>
        <source>A site completes, a commodity needs no more buying, a market sells what is still to buy</source>
        <translation>Budowa ukończona, towar nie wymaga już zakupów, rynek sprzedaje to, co jeszcze trzeba kupić</translation>
    </message>
</context>
<context>
    <name>Tf_statek</name>
    <message>
        <source>Ship Info</source>
        <translation>Statek</translation>
    </message>
</context>
<context>
    <name>VersionCheck</name>
    <message>
        <source>New version available: </source>
        <translation>Dostępna nowa wersja: </translation>
    </message>
</context>
<context>
    <name>WebShare</name>
    <message>
        <source>Cannot share to browser on port %1: %2</source>
        <translation>Nie można udostępnić strony na porcie %1: %2</translation>
    </message>
</context>
<context>
    <name>WebSharePanel</name>
    <message>
        <source>Share to browser:</source>
        <translation>Udostępniaj w przeglądarce:</translation>
    </message>
    <message>
        <source>Share to browser</source>
        <translation>Udostępniaj w przeglądarce</translation>
    </message>
    <message>
        <source>Show the loading list, construction and dock info on a phone&apos;s browser</source>
        <translation>Pokazuj listę załadunku, budowę i dokowanie w przeglądarce telefonu</translation>
    </message>
    <message>
        <source>this computer only</source>
        <translation>tylko ten komputer</translation>
    </message>
    <message>
        <source>New address</source>
        <translation>Nowy adres</translation>
    </message>
    <message>
        <source>Make a new secret address; the old one stops working</source>
        <translation>Utwórz nowy tajny adres; stary przestanie działać</translation>
    </message>
</context>
<context>
    <name>WidgetInteraction</name>
    <message numerus="yes">
        <source>%1
(%n times)</source>
        <translation>
            <numerusform>%1
(%n raz)</numerusform>
            <numerusform>%1
(%n razy)</numerusform>
            <numerusform>%1
(%n razy)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WindowParts</name>
    <message>
        <source>✔️ CLOSE</source>
        <translation>✔️ ZAMKNIJ</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Journal folder to follow.</source>
        <translation>Folder dziennika do śledzenia.</translation>
    </message>
    <message>
        <source>Folder of the program&apos;s INI files.</source>
        <translation>Folder plików INI programu.</translation>
    </message>
    <message>
        <source>Address of the Kelvane hub (instead of [KVN] url in settings.ini).</source>
        <translation>Adres serwera Kelvane (zamiast [KVN] url w settings.ini).</translation>
    </message>
    <message>
        <source>Play the demo kept in this folder (as --demo does).</source>
        <translation>Odtwórz demo z tego folderu (jak --demo).</translation>
    </message>
    <message>
        <source>How many times faster the demo plays.</source>
        <translation>Ile razy szybciej odtwarzać demo.</translation>
    </message>
    <message>
        <source>Save pictures of the windows after the first pass, then quit.</source>
        <translation>Zapisz obrazy okien po pierwszym przebiegu i zakończ.</translation>
    </message>
    <message>
        <source>With --screenshot-dir: seconds to run before the pictures are taken.</source>
        <translation>Z --screenshot-dir: ile sekund działać przed zrobieniem obrazów.</translation>
    </message>
    <message>
        <source>Elite Dangerous hauling companion.
Journal folders looked at:
</source>
        <translation>Pomocnik przewoźnika do Elite Dangerous.
Sprawdzone foldery dziennika:
</translation>
    </message>
    <message>
        <source>Play the demo of an installed program (none installed here).</source>
        <translation>Odtwórz demo zainstalowanego programu (tu nie zainstalowano).</translation>
    </message>
    <message>
        <source>Play the demo in %1: a recorded session written over time into a temporary journal folder, with program data in a temporary folder unless --data-dir is given.</source>
        <translation>Odtwórz demo z %1: nagraną sesję zapisywaną stopniowo do tymczasowego folderu dziennika, z danymi programu w folderze tymczasowym, chyba że podano --data-dir.</translation>
    </message>
    <message>
        <source>no demo is installed beside this program</source>
        <translation>obok tego programu nie zainstalowano dema</translation>
    </message>
    <message>
        <source>Tessivar: no journal folder found; looked at: %1</source>
        <translation>Tessivar: nie znaleziono folderu dziennika; sprawdzono: %1</translation>
    </message>
    <message>
        <source>Tessivar: following journals in %1</source>
        <translation>Tessivar: śledzę dzienniki w %1</translation>
    </message>
</context>
</TS>
