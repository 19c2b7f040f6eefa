#include "windows/AboutTexts.h"

#include <QCoreApplication>

namespace AboutTexts {

QString description()
{
    return QCoreApplication::translate(
        "AboutTexts",
        "Tessivar – a hauler's companion for Elite Dangerous\n"
        "\n"
        "The program runs beside the game and reads only what the game writes to disk: the journal "
        "Journal*.log and the files Cargo.json and Market.json. Every four seconds it looks for new "
        "journal entries and from them shows your commander, ship, current system, the station you are "
        "docked at and your Fleet Carrier. It sends nothing to the game and changes nothing in it.\n"
        "\n"
        "Main window\n"
        "Shows the commander's name, the carrier and where it is, where you are docked and the journal "
        "lines as they come. The \"Show/Hide Panels\" boxes open and close the panels below. \"Lock "
        "panels\" tiles the windows along the screen edges or lets them float.\n"
        "\n"
        "SYSTEM INFO\n"
        "The factions of the current system with influence, states and conflicts, an influence chart "
        "and the station you are docked at.\n"
        "\n"
        "CARGO\n"
        "The ship's hold and the carrier loading list: what still has to be brought. The list shrinks "
        "by itself when you transfer cargo to the carrier or sell it on the carrier's market. The TOTAL "
        "row adds up the quantities, and the trips column tells how many full holds that still is. Pick "
        "the list's source in the drop-down: your own carrier, trade missions or an accepted contract.\n"
        "\n"
        "CONSTRUCTION SITE\n"
        "The materials a colony construction site still needs, with its progress. Site lists are saved "
        "and can be loaded later or added to the loading list.\n"
        "\n"
        "DATA BASE\n"
        "\"Last Shopping\": where you last bought a commodity, at what price and how much.\n"
        "\n"
        "MARKET\n"
        "The station market's commodities with demand and stock, read from Market.json each time you "
        "open the market.\n"
        "\n"
        "KELVANE\n"
        "An order exchange: carrier owners post what they need, other commanders take an order with the "
        "right mouse button (\"Get contract\") and see it on their loading list at once. The panel "
        "works only after you consent in the settings (🛠️), because it sends your commander name and "
        "carrier data to an external server.\n"
        "\n"
        "Phone\n"
        "Given the IP address of a phone running the companion app, the program sends it the loading "
        "list, the construction list and the dock information, and the app can ask it to copy a text to "
        "the clipboard or to search a commodity.\n");
}

QString changes()
{
    return QCoreApplication::translate(
        "AboutTexts",
        "1.3.0.0\n"
        "- Kelvane order exchange: the order list, taking contracts onto the loading list, new orders "
        "for your own carrier.\n"
        "- A sale on a carrier and opening its market update the orders on the server (only with your "
        "consent in the settings).\n"
        "- The station market window.\n"
        "- A check for a newer version whenever this window opens.\n"
        "- Server requests no longer freeze the windows; a server that does not answer ends in a clear "
        "error.\n"
        "\n"
        "1.2.0.0\n"
        "- The link to the phone app: loading list, construction site and dock information on the "
        "phone.\n"
        "- Mining and delivery missions as a source of the loading list.\n"
        "- The pick list of common construction materials.\n"
        "\n"
        "1.1.0.0\n"
        "- Colony construction tracking and saved site lists.\n"
        "- The \"Last Shopping\" store with commodity search.\n"
        "\n"
        "1.0.0.0\n"
        "- First release: the game journal, the main window, system and faction information, the "
        "ship's hold and the carrier loading list.\n");
}

}  // namespace AboutTexts
