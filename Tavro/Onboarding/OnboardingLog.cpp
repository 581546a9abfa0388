#include "Tavro/Onboarding/OnboardingLog.h"

Q_LOGGING_CATEGORY(lcOnboarding, "tavro.onboarding")
