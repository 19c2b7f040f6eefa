<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
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
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CargoModule</name>
    <message>
        <source>These commodity names cannot be stored in zaladunek.ini and were not added: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The quantity of &quot;%1&quot; on the loading list is not a whole number: &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commodity name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commodity name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commodity amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amount in tonnes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not saved from row %1 on: the quantity of &quot;%2&quot; is not a whole number: &quot;%3&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not saved from row %1 on: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My Carrier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trade Missions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Still to buy</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CargoReconciler</name>
    <message>
        <source>a carrier the ship is not known to be docked at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cargo sold or transferred at %1 was not taken off the loading list: it is not your own carrier.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cargo sold or transferred at %1 was not taken off the loading list: your own carrier is not known yet. The game names it when the carrier management screen is opened, or set CarrierID in the [Carrier] section of settings.ini.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CarrierLedger</name>
    <message>
        <source>Carrier ledger: %1 took %2 t of %3, but the ledger held %4 t; it now holds 0 t.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a transfer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a purchase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a sale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a sale reported by the hub</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ColonyCockpit</name>
    <message>
        <source>Construction site complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2) is complete.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing more to buy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: nothing more to buy.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 t (%3 Cr, stock %4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buy here for your sites: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buy here: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Squadron carrier %1: %2 t in the ledger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carrier %1: %2 t in the ledger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 t free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 t of it reported by the hub</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 h ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> - the game counts %1 t; last anchored on the carrier&apos;s market %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> - the game counts %1 t; open the carrier&apos;s market to anchor the ledger</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ColonyTab</name>
    <message>
        <source>Colony</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Still to buy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forget site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Still to buy, the carrier ledger and each site&apos;s needs as tab-separated text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save CSV…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop notifications</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A site completes, a commodity needs no more buying, a market sells what is still to buy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Needed %1 t, on the carriers %2 t, in the hold %3 t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No carrier known yet: open the carrier management screen in the game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: buy %2 t at %3 Cr (stock %4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buy here (%1):
%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConstructionModule</name>
    <message>
        <source>%1: element %2 of &quot;ResourcesRequired&quot; %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the line is not a JSON object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: &quot;ResourcesRequired&quot; is missing or not an array</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>has no text &quot;Name_Localised&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>has no whole number &quot;RequiredAmount&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>has no whole number &quot;ProvidedAmount&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: element %2 of &quot;ResourcesRequired&quot; has an empty name; it is listed but not stored in the site&apos;s file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: &quot;Contributions&quot; is missing or not an array</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>⬇️ Loading Construction from file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Construction files (.ini)|*.ini</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid integer value ([MATS] %2 in %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid integer value (row %2, %3); nothing was saved</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DemoPlayer</name>
    <message>
        <source>The demo folder %1 holds no journal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read the demo journal %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot copy %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write the demo journal %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HoldReader</name>
    <message>
        <source>Cannot read the ship&apos;s cargo: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HubClient</name>
    <message>
        <source>the reply is not an order list: &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Kelvane hub: %n order line(s) could not be read and are left out.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HubSales</name>
    <message>
        <source>The hub&apos;s list of sales at your carrier could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The hub did not list the sales at your carrier: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HubTransport</name>
    <message>
        <source>No Kelvane hub address is configured: enter it in Settings (🛠️ in the main window), tab Kelvane, and start the program again. Nothing is sent to the hub.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Kelvane hub address &quot;%1&quot; is not an http:// or https:// address. Nothing is sent to the hub.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kelvane hub (%1): %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InfluencePieChart</name>
    <message>
        <source>Influence of the factions in the system</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IniDocument</name>
    <message>
        <source>the file is in UTF-32, which the program cannot edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is cut short in the middle of a UTF-16 character</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is not UTF-8 text (it holds NUL bytes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is too large to be an INI file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid INI section name: &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid INI key: &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid INI value (line break): &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JournalFollower</name>
    <message>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JournalPass</name>
    <message>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JournalReader</name>
    <message>
        <source>Error reading the file: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no journal file found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file became shorter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JsonRead</name>
    <message>
        <source>%1: the field &quot;%2&quot; is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is missing or not %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the field &quot;%2&quot; is not %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a 32-bit whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an unsigned whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Journal line: key &quot;%1&quot; is missing or has the wrong type</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LoadingListFile</name>
    <message>
        <source>zaladunek.ini: the quantity of &quot;%1&quot; is not a whole number: &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>zaladunek.ini names a commodity twice in different letter case; only the first line is used until the two are joined into one: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot remove %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindowModel</name>
    <message>
        <source>To activate KVN, you must consent to communication with the external server. Go to Settings.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MarketModule</name>
    <message>
        <source>COMMODITY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PRICE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DEMAND</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>STOCK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Market.json: the game&apos;s journal folder is not known</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Market.json: %1 at offset %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Market.json: the file does not hold a JSON object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Market.json: the field &quot;Items&quot; is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Market.json: the field &quot;Items&quot; is not a list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Market.json, item %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: not a JSON object</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MarketStore</name>
    <message>
        <source>Cannot create the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A stored market was skipped: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is larger than a market can be</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a stored market</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds another market&apos;s id</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the list of commodities is missing or too long</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MissionModule</name>
    <message>
        <source>missions.ini: the Count of mission %1 is not a whole number; the section is kept as it is and not counted.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MobileLink</name>
    <message>
        <source>Sending to the mobile app failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection timed out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Untick and tick &quot;Active&quot; to connect again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The mobile app stopped taking data (more than 1 MiB is waiting to be sent), so sending to it has stopped.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NoticeModel</name>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 (%n times)</source>
        <translation>
            <numerusform>%1: %2 (%n time)</numerusform>
            <numerusform>%1: %2 (%n times)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NoticeStrip</name>
    <message>
        <source>Dismiss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear these messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1  (%n more)</source>
        <translation>
            <numerusform>%1  (%n more)</numerusform>
            <numerusform>%1  (%n more)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>OrderLines</name>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Demand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>🆔 Carrier ID: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>📥 Action: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>📍 Location: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>📦 Commodity: [%1] 🔢 %2 / 💰 %3% AVG;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportSink</name>
    <message>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShipInfo</name>
    <message>
        <source>Ship</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cargo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShoppingDb</name>
    <message>
        <source>MarketBuy: the line is not a JSON object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>💰%1CR (Buying: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Station</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Price</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commodities sold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Star system</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StateParsers</name>
    <message>
        <source>Journal line: an element of &quot;%1&quot; is not an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Journal line is not a JSON object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Journal line: &quot;StarPos&quot; has fewer than three numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Journal line: an element of &quot;StarPos&quot; is not a number</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemInfo</name>
    <message>
        <source>No active state</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Boom — economic growth and more activity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bust — the economy collapses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Civil unrest — tension within</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Civil war — factions fight for control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Election — a democratic change of power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expansion — a faction tries to spread its influence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Investment — more money is spent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retreat — a faction loses influence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>War — an armed conflict is on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invasion — another faction attacks the system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outbreak — a disease breaks out in the system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Famine — food and supplies run short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lockdown — the system is closed, no services</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pirate attack — criminals overrun the system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Faction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allegiance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Influence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Government</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rep.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown state</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Population</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Economy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Security</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Station</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Market ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Station faction</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tf_BGS</name>
    <message>
        <source>System Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SYSTEM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>STATION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SHIP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Factions</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tf_Construct</name>
    <message>
        <source>Construction Site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Station:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Market ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>⬅️ Add to Carrier Loading list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>⬇️ Loading Construction from file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>🔍 Find on markets (local files)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>⬅️ Add all to Loading list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to the current list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>💾 Save changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commodity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Needed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TOTAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 full trips and %2 t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Site</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tf_DB</name>
    <message>
        <source>📋 Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Shopping — Data Base</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>🗄️ Data Base</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Markets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Shopping</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Commodity: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commodity name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>🔎 Find in Last Shopping</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LAST BUYING:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OTHER COMMODITY IN MARKET:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not in Last Shopping: buy it once and it is remembered here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type a commodity and press Find: where you last bought it shows here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>💰%1CR (Buying: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every market you have opened in the game, newest first. Click a heading to sort.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sold at markets you have seen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have not bought %1 yet. The newest market you have seen selling it: %2 in %3, %4 Cr.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Markets you open in the game are remembered; a search lists those selling it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No market you have seen sells %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tf_ED</name>
    <message>
        <source>copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link: after the journal is read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link: off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link: connecting…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link: connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link: connected, not sending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link: lost; tick Active to retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the journal… %p%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Tessivar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock panels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock / Release panels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get newest version from website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commander Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CR:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ℹ️ Full Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show more info about commander</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show/Hide Panels:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SYSTEM INFO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CARGO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CONSTRUCTION SITE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DATA BASE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KELVANE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MARKET</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send a copy to mobile:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phone address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>phone&apos;s address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The address the phone app shows, such as 192.168.1.20</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate sending data to mobile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carrier Info:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>🚀 Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>✨ System:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>🪐 Body:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dock Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Station:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tf_KVN</name>
    <message>
        <source>📡 KELVANE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh contract list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add new demand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>📜 Contract market</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get contract by right mouse button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>📋 Accepted contracts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ➕ Get contract</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next refresh in (s):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The hub is asked again at most once a minute; ⭮ works again at 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>✔️ CLOSE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KVN</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tf_KVN_add</name>
    <message>
        <source>New order — Kelvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ➕ Add new contract</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I accept sending my player name and Fleet Carrier to the remote server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>your fleet carrier&apos;s name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carrier ID / Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not known yet: the journal names it once the carrier is seen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carrier location (System / Station):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Demand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commodity:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>% AVG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ➕ ADD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>❌ CANCEL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carrier ID: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carrier ID: not known yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carrier ID / Name: type your fleet carrier&apos;s name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carrier location: not known yet. Open the carrier&apos;s management screen in the game (or jump it) so the journal names its system, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commodity: choose one of the list, not a heading.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count: give a number of units above 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>% AVG: give a percentage above 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BASE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OTHER:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tf_about</name>
    <message>
        <source>About Tessivar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get newest version from website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open in browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>📋 Copy to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>❌ Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tf_cargo</name>
    <message>
        <source>Cargo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>📦 Ship Cargo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>💾 Save Changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>↩️ Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take back the last change of the loading list (Ctrl+Z)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>📥 Carrier Loading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>⬅️ Add to list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>📋 Clear the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>🔍 Find on markets (local files)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>⬅️ Add to loading list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 full trips and %2 t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Basic materials</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Further materials</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commodity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>➕ Add your own commodity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>❌ Remove commodity</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tf_market</name>
    <message>
        <source>Market</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>🛒 MARKET</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tf_mission</name>
    <message>
        <source>Missions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>⛏️ MISSIONS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>✔️ CLOSE</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tf_send_to_mobile</name>
    <message>
        <source>Send to mobile</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tf_settings</name>
    <message>
        <source>SETTINGS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>🛠️ SETTINGS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browser page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Journal folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the game&apos;s journal folder (found by itself when left empty)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No journal folder was found. Looked at:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Takes effect at the next start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phone address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the address the phone app shows, such as 192.168.1.20</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Takes effect at once; &quot;Active&quot; in the main window starts sending.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To activate KVN, you must consent to communication with the external server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I agree to send information to an external server. (cmdr name, carrier market id, carrier location, buy, sell data)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Takes effect at once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Owner code of your carrier: the hub takes your carrier&apos;s orders only with this code. Use the same code on every computer that posts them, and keep it secret.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>made when you first post an order, or paste the code of your other computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>👁 Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hub address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>https://… the address of the Kelvane hub</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share to browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this computer only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each takes effect at once; the main window shows the page&apos;s address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>🙈 Hide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop notifications</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A site completes, a commodity needs no more buying, a market sells what is still to buy</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tf_statek</name>
    <message>
        <source>Ship Info</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VersionCheck</name>
    <message>
        <source>New version available: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WebShare</name>
    <message>
        <source>Cannot share to browser on port %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WebSharePanel</name>
    <message>
        <source>Share to browser:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share to browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the loading list, construction and dock info on a phone&apos;s browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this computer only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make a new secret address; the old one stops working</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WidgetInteraction</name>
    <message numerus="yes">
        <source>%1
(%n times)</source>
        <translation>
            <numerusform>%1
(%n time)</numerusform>
            <numerusform>%1
(%n times)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WindowParts</name>
    <message>
        <source>✔️ CLOSE</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Journal folder to follow.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder of the program&apos;s INI files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address of the Kelvane hub (instead of [KVN] url in settings.ini).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the demo kept in this folder (as --demo does).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How many times faster the demo plays.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save pictures of the windows after the first pass, then quit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --screenshot-dir: seconds to run before the pictures are taken.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Elite Dangerous hauling companion.
Journal folders looked at:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the demo of an installed program (none installed here).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the demo in %1: a recorded session written over time into a temporary journal folder, with program data in a temporary folder unless --data-dir is given.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no demo is installed beside this program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tessivar: no journal folder found; looked at: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tessivar: following journals in %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
