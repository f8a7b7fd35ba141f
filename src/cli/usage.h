#ifndef DGNBIN_CLI_USAGE_H_
#define DGNBIN_CLI_USAGE_H_

// The text printed when the command line does not hold eight words, and for
// --help. Latin-1: the accented letters are single bytes.
inline constexpr char kUsageText[] =
    "<ficheroBIN> <ficheroDGN> <factor> <clave_cel> <clave_gg> <pattern> <trasUTM> "
    "<generaComplex_KELO\n"
    "   fichero  BIN sin extension\n"
    "   fichero  DGN sin extension\n"
    "   factor de escala de la transformacion\n"
    "      ejemplo DGN en mms.  KELO en cms. --> factor  0.1\n"
    "              DGN en cms.  KELO en cms. --> factor  1.0\n"
    "              DGN en mms.  KELO en mms. --> factor 99.0\n"
    "              DGN en cms.  KELO en mms. --> factor 10.0\n"
    "\n"
    "    clave_cel = 0  celulas --> puntos\n"
    "    clave_cel = 1  celulas --> dibujo (se descomponen)\n"
    "    clave_cel = 2  celulas --> s\xEDmbolos\n"
    "    clave_cel  0 o 2  el nombre celula  --> codigo KELO\n"
    "    clave_cel=1 y clave_gg=0   nivel, color ...  --> codigo KELO\n"
    "    clave_cel=1 y clave_gg=1   grupo_grafico...  --> codigo KELO\n"
    "\n"
    "    clave_gg = 0  nivel,color,peso,estilo --> codigo KELO\n"
    "    clave_gg = 1  grupo_grafico            --> codigo KELO\n"
    "\n"
    "    pattern=0 ==> NO se traducen los pattern\n"
    "    pattern=1 ==> SI se traducen los pattern\n"
    "\n"
    "    trasUTM = valor de la traslaci\xF3n en Y en coordenadas UTM\n"
    "\n"
    "    generaComplex_KELO = 0|1|2 0: No traduce Complex, solo componentes. 1: Traduce Complex y "
    "Componentes. 2: Traduce solo complex.\n"
    "DGNBIN.TAB\n"
    "CODIGO NIVEL ESTILO COLOR PESO FONT GRUPO_G.  CELL/SIMB. ALTO  Simb.Kelo\n"
    "001106  20     0       3    0   84    1106       \"1\"     1.5    \"@150\"\n"
    "002312  21     1      13    0   00    0006       \"\"      1.5      0      [Pasa Tipo DGN a "
    "Tipo KELO]\n"
    "002312  21     1      13    0   00    0006       \"\"      1.5      C      [Pasa de Texto DGN "
    "a Punto KELO]\n"
    "002312  21     1      13    0   00    0006       \"\"      1.5     @5200   [Pasa c\xE9lula "
    "DGN a Texto KELO]\n"
    "002312  21     1      13    0   00    0006       \"\"      1.5     @CAMINO [Pasa Texto DGN a "
    "la Anotaci\xF3n @CAMINO]\n";

static_assert(sizeof kUsageText - 1 == 1725, "the usage text is 1725 bytes");

#endif  // DGNBIN_CLI_USAGE_H_
