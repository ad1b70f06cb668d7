#include "translator/wordtable.h"

#include <array>

namespace tesmora {

namespace {

// English entry, Spanish text; in the order of the sorted list. This file is UTF-8.
constexpr std::array<LookupRow, 80> words {{
    {u"Air", u"Aire"},
    {u"Airplane", u"Aeroplano"},
    {u"Airport", u"Aeropuerto"},
    {u"Arrival", u""},
    {u"Arrivals", u"Llegadas"},
    {u"Baby", u"Bebè"},
    {u"Baggage", u"Equipaje"},
    {u"Bar", u"El Bar"},
    {u"Beer", u"Cerveza"},
    {u"Black", u"Negro"},
    {u"Blue", u"Azul"},
    {u"Boy", u"Niño"},
    {u"Brown", u"Cafè"},
    {u"Camera", u"Càmara Fotogràfica"},
    {u"Car", u"Automovil"},
    {u"Chair", u"Silla"},
    {u"Coins", u"Monedas"},
    {u"Computer", u"Computadora"},
    {u"Dark", u"Obscuro"},
    {u"Daugther", u"Hija"},
    {u"Day", u"Dia"},
    {u"Departures", u"Salidas"},
    {u"Dog", u"Perro"},
    {u"Father", u"Padre"},
    {u"Film", u"Pelìcula"},
    {u"Food", u"Comida"},
    {u"Girl", u"Niña"},
    {u"Gray", u"Gris"},
    {u"Green", u"Verde"},
    {u"Hamburguer", u"Hamburguesa"},
    {u"Handbag", u"Maletìn"},
    {u"Head", u"Cabeza"},
    {u"Home", u"Casa"},
    {u"Hotel", u"Hotel"},
    {u"Hour", u"Hora"},
    {u"House", u"Casa"},
    {u"Landing", u"Aterrizaje"},
    {u"Light", u"Claro"},
    {u"Man", u"Hombre"},
    {u"Minute", u"Minuto"},
    {u"Miss", u"Señora"},
    {u"Misses", u"Señorita"},
    {u"Mister", u"Señor"},
    {u"Money", u"Dinero"},
    {u"Monitor", u"Monitor"},
    {u"Mother", u"Madre"},
    {u"Movies", u"Pelìculas"},
    {u"Music", u"Mùsica"},
    {u"Newspaper", u"Periòdico"},
    {u"Niece", u"Sobrina"},
    {u"Orange", u"Naranja"},
    {u"Passport", u"Pasaporte"},
    {u"People", u"Personas"},
    {u"Pilot", u"Piloto"},
    {u"Pink", u"Rosado"},
    {u"Price", u"Precio"},
    {u"Red", u"Rojo"},
    {u"Restaurant", u"Restaurante"},
    {u"Room", u"Habitaciòn"},
    {u"Row", u"Fila"},
    {u"Seat", u"Asiento"},
    {u"Second", u"Segundo"},
    {u"Shoes", u"Zapatos"},
    {u"Son", u"Hijo"},
    {u"Souvenir Shop", u"Tienda de Souvenirs"},
    {u"Space", u"Espacio"},
    {u"Table", u"Mesa"},
    {u"Taxi", u"Taxi , Carro de Alquiler"},
    {u"Telephone", u"Telèfono"},
    {u"Ticket", u"Tiquete"},
    {u"Time", u"Tiempo"},
    {u"Today", u"Hoy"},
    {u"Travel Agency", u"Agencia de Viajes"},
    {u"Uncle", u"Tio"},
    {u"Voice", u"Voz"},
    {u"Waiting Room", u"Sala de Espera"},
    {u"White", u"Blanco"},
    {u"Woman", u"Mujer"},
    {u"Yellow", u"Amarillo"},
    {u"Yesterday", u"Ayer"},
}};

} // namespace

std::span<const LookupRow> wordTable()
{
    return words;
}

} // namespace tesmora
