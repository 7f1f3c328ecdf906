#pragma once

// The constants of the heat-load method, each named once with its unit. The
// engine computes with them and the trace writes them into its formulas, so
// that the formula the engineer reads holds the numbers the engine used. They
// are exact as written: 0.00004167 and 0.0416667 are these decimals, not
// 1/24000 and 1/24.

namespace kamerol::method {

// Enclosure: the two surfaces' resistances to heat transfer together, in the
// unit of thickness in mm over conductivity in W/(m·K), 0.001 m²·K/W, so that
// temperature difference × area / resistance is in kW.
inline constexpr double kSurfaceResistance = 150.775376;

// Fresh-air ventilation: room volumes exchanged per day = 70 / √(volume in m³).
inline constexpr double kAirChangeFactor = 70;

// Door infiltration. The enthalpy of the room air, kJ/kg, at t °C:
// 0.0125 · t² + 1.575 · t + 7.5.
inline constexpr double kEnthalpyQuadratic = 0.0125;  // kJ/(kg·K²)
inline constexpr double kEnthalpyLinear = 1.575;      // kJ/(kg·K)
inline constexpr double kEnthalpyAtZero = 7.5;        // kJ/kg
inline constexpr double kOutsideAirEnthalpy = 67;     // kJ/kg
inline constexpr double kAirDensityAtZero = 1.293;    // kg/m³, at 0 °C
inline constexpr double kCelsiusToKelvin = 273.15;    // K
inline constexpr double kOutsideAirDensity = 1.17;    // kg/m³
// The flow coefficient ((28 − t) · 0.067 + 8) · 0.001 at t °C.
inline constexpr double kDoorFlowTemp = 28;      // °C
inline constexpr double kDoorFlowSlope = 0.067;  // per K
inline constexpr double kDoorFlowBase = 8;
inline constexpr double kDoorFlowScale = 0.001;

// Hours in a day: the door's minutes per day become its time factor by this
// divisor, and the required capacity spreads a day's heat over the running hours.
inline constexpr double kHoursPerDay = 24;

// Product.
inline constexpr double kSecondsPerDay = 86400;  // s: product on a 24-hour basis
inline constexpr double kSecondsPerHour = 3600;  // s: product over the freezing time

// Respiration: J/h in one kW.
inline constexpr double kJoulesPerHourPerKilowatt = 3600000;

// Lighting.
inline constexpr double kRecommendedLightingPower = 5;  // W/m²
inline constexpr double kLightingDivisor = 24000;       // 24 h per day × 1000 W per kW

// Staff: the heat of one worker, W, at t °C: 270 − 6 · t.
inline constexpr double kHeatPerPersonAtZero = 270;   // W
inline constexpr double kHeatPerPersonPerDegree = 6;  // W/K, less per degree warmer
inline constexpr double kStaffFactor = 0.00004167;    // close to 1 / 24000: h per day, W per kW

// Loading vehicles.
inline constexpr double kVehicleFactor = 0.0416667;  // close to 1 / 24: h per day

// Fans.
inline constexpr double kFanAllowanceDivisor = 2400;  // 24 h × 100 %
inline constexpr double kKilowattsPerWatt = 0.001;

}  // namespace kamerol::method
